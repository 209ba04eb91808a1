# Tests of the panel and button controls (label controls).
if(TARGET morvex_controls)
  set(_panels_lib morvex_controls)
else()
  set(_panels_lib morvex_panels)
endif()
morvex_test(NAME panels_tests LABEL controls
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PanelsDrawingTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PanelsControlsTest.cpp
  LIBS ${_panels_lib})
