morvex_test(NAME link_codec_test LABEL codec
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LCmdCodecTest.cpp
  LIBS morvex_codec)
