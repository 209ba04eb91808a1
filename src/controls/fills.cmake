# The segmented progress bar (the fill description and the rounded controls are listed by
# CMakeLists.txt itself).
target_sources(morvex_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FxProgressBar.cpp
)
