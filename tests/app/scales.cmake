# Value scales and shared constants.
morvex_test(NAME scales_test LABEL scales
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ValueScalesTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ScalesTablesTest.cpp
  LIBS morvex_scales)
