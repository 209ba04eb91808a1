# Value scales and shared constants: standard library only.
add_library(morvex_scales STATIC ${CMAKE_CURRENT_LIST_DIR}/ValueScales.cpp)
target_include_directories(morvex_scales PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_features(morvex_scales PUBLIC cxx_std_20)
