# Panel and button controls: group boxes, panels, labels, combo box, push, shape and bitmap buttons,
# power and demo buttons, and the skin pictures they use. Added to morvex_controls when that library
# exists; otherwise built as morvex_panels on top of the framework layer.
set(MORVEX_PANELS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SkCommon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkGraphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LedBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LedButtons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkBmpButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkComboBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinButtons.cpp
)
if(TARGET morvex_controls)
  target_sources(morvex_controls PRIVATE ${MORVEX_PANELS_SOURCES})
  target_link_libraries(morvex_controls PUBLIC morvex_framework)
else()
  add_library(morvex_panels STATIC ${MORVEX_PANELS_SOURCES})
  target_include_directories(morvex_panels PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(morvex_panels PUBLIC morvex_framework Qt6::Widgets)
endif()
