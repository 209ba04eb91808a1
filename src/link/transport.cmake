# Transports, send queue, receive framing and the link core (Qt Core for the event loop).
add_library(morvex_link STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LFramer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LSendQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LTrafficLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LClientSocket.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LLinkCore.cpp)
target_include_directories(morvex_link PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(morvex_link PUBLIC morvex_hid morvex_proto morvex_runtime morvex_platform Qt6::Core)
