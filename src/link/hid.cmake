# HID device, read thread and controller over the platform's HID backend.
add_library(morvex_hid STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LSyncGate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LUiPoster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HxHidDevice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HxHidController.cpp)
target_include_directories(morvex_hid PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(morvex_hid PUBLIC morvex_platform Qt6::Core)
