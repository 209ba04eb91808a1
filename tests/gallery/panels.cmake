# Gallery pages of the panel and button controls and of the fills, rounded edit and progress bar.
list(APPEND MORVEX_GALLERY_EXTRA_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PanelsGallery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FillsGallery.cpp
)
