# Reply dispatcher, connection state machine, stored presets and the unit file: standard library only.
add_library(morvex_sync STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LSyncMachine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LSyncPresets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LUnitFile.cpp)
target_include_directories(morvex_sync PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(morvex_sync PUBLIC morvex_model morvex_proto)
