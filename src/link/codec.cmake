# Commands and the wire frame: standard library only.
add_library(morvex_codec STATIC ${CMAKE_CURRENT_LIST_DIR}/LCmd.cpp)
target_include_directories(morvex_codec PUBLIC ${PROJECT_SOURCE_DIR}/src)
