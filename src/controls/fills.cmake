# The fill description, the rounded controls with their edit box, and the segmented progress bar.
target_sources(morvex_controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GDIPFill.cpp
)
