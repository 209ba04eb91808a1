# Repaints of the bitmap buttons, group boxes and power/demo buttons, and of all main-window controls.
list(APPEND MORVEX_BENCH_CONTROLS_EXTRA_SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_panels.cpp)
