# The fill description, the rounded controls and the progress bar are listed by CMakeLists.txt.
# Their tests (tests/controls/fills.cmake) are registered at the end of configuration; the fragment
# guards itself, so a tests directory that includes it as well registers them once.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR}
  CALL include ${PROJECT_SOURCE_DIR}/tests/controls/fills.cmake)
