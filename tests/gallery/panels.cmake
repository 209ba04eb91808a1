# The panel and button gallery: writes a PNG per control and state.
if(TARGET morvex_controls)
  set(_panels_gallery_lib morvex_controls)
else()
  set(_panels_gallery_lib morvex_panels)
endif()
add_executable(panels_gallery ${CMAKE_CURRENT_LIST_DIR}/panels_gallery.cpp)
target_link_libraries(panels_gallery PRIVATE ${_panels_gallery_lib})
