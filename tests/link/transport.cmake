# Framing, queue and log lines (pure), then the transports against the test device.
morvex_test(NAME link_framing_test LABEL link
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LFramingTest.cpp
  LIBS morvex_link)
morvex_test(NAME link_transport_test LABEL link
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LTransportTest.cpp
  LIBS morvex_link morvex_device)
