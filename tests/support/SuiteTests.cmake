# Run by CTest before the tests (included from a test executable's include file): lists the suites of
# a GoogleTest executable and registers one CTest test per suite, named after it, which runs all of
# its cases in one process. The list is written to TESTS_FILE and made again when the executable is
# newer. A case that skips does not mark its suite skipped (the suite's other cases count).
#   EXE         the test executable
#   TESTS_FILE  the CTest script to write
#   PROPERTIES  test properties, as a list of name and value
#   TIMEOUT     seconds the listing may take
function(morvex_list_suites)
  cmake_parse_arguments(S "" "EXE;TESTS_FILE;TIMEOUT" "PROPERTIES" ${ARGN})
  execute_process(COMMAND "${S_EXE}" --gtest_list_tests
    TIMEOUT ${S_TIMEOUT} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "listing the tests of ${S_EXE} failed (${rc}):\n${out}${err}")
  endif()
  set(props "")
  foreach(p IN LISTS S_PROPERTIES)
    string(APPEND props " [==[${p}]==]")
  endforeach()
  string(REPLACE ";" "\\;" out "${out}")
  string(REPLACE "\n" ";" lines "${out}")
  set(script "")
  foreach(line IN LISTS lines)
    # A suite line is the suite's name and a point, perhaps with a type comment; cases are indented.
    if(line MATCHES "^([^ #]+)\\.( +#.*)?$")
      set(suite "${CMAKE_MATCH_1}")
      string(APPEND script
        "add_test([==[${suite}]==] [==[${S_EXE}]==] [==[--gtest_filter=${suite}.*]==])\n"
        "set_tests_properties([==[${suite}]==] PROPERTIES${props})\n")
    endif()
  endforeach()
  file(WRITE "${S_TESTS_FILE}" "${script}")
endfunction()
