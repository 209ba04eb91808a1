# Tests of the segmented progress bar, the fill description and the rounded edit box.

if(TRUE)
  morvex_test(NAME fills_tests LABEL controls
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/FxProgressBarTest.cpp ${CMAKE_CURRENT_LIST_DIR}/GDIPFillTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/RoundEditTest.cpp
    LIBS morvex_controls)
  target_include_directories(fills_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endif()
