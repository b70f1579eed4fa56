# One CTest test per GoogleTest suite of a test program: each suite's cases run in one process
# (--gtest_filter=Suite.*), so that a program's start-up (a graphics device, fonts, a resource
# tree) is paid once per suite instead of once per case. The CTest name is the suite's name; the
# names of failing cases are in the output, in GoogleTest's "[  FAILED  ] Suite.Case" lines.
#
# cx_discover_suites(target LABEL label EXECUTOR script [ENVIRONMENT var=value...])
#   registers the suites once the program is built, like gtest_discover_tests.
# In script mode (-P) this file lists the program's suites and writes the CTest file.

if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${EXECUTABLE} --gtest_list_tests
    WORKING_DIRECTORY ${WORKING_DIR}
    TIMEOUT 60
    OUTPUT_VARIABLE listing
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${EXECUTABLE} failed (${result}):\n${listing}")
  endif()
  # Suite lines start in the first column ("Suite." or "Prefix/Suite/0.  # TypeParam = ..."); case
  # lines are indented.
  string(REPLACE ";" "\\;" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  set(suites "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[A-Za-z_][^ ]*\\.")
      string(REGEX REPLACE "\\.( .*)?$" "" suite "${line}")
      list(APPEND suites ${suite})
      set(cases_${suite} 0)
    elseif(line MATCHES "^  [^ ]" AND suite)
      math(EXPR cases_${suite} "${cases_${suite}} + 1")
    endif()
  endforeach()
  # A suite's limit is 60 s a case, 300 s at least: a large suite on a loaded machine is not cut
  # short, and a hang is still caught.
  set(script "")
  foreach(suite IN LISTS suites)
    math(EXPR timeout "${cases_${suite}} * 60")
    if(timeout LESS 300)
      set(timeout 300)
    endif()
    string(APPEND script
      "add_test([==[${suite}]==] [==[${RUNNER}]==] [==[${EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
      "set_tests_properties([==[${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIR}]==]"
      " LABELS [==[${LABEL}]==] ENVIRONMENT [==[${ENVIRONMENT}]==] SKIP_RETURN_CODE 77"
      " TIMEOUT ${timeout})\n")
  endforeach()
  file(WRITE ${CTEST_FILE} "${script}")
  return()
endif()

set(_CX_SUITES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(cx_discover_suites target)
  cmake_parse_arguments(ARG "" "LABEL;EXECUTOR" "ENVIRONMENT" ${ARGN})
  set(ctest_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake)
  string(REPLACE ";" "\\;" environment "${ARG_ENVIRONMENT}")
  add_custom_command(TARGET ${target} POST_BUILD
    BYPRODUCTS ${ctest_file}
    COMMAND ${CMAKE_COMMAND}
            -D EXECUTABLE=$<TARGET_FILE:${target}>
            -D RUNNER=${ARG_EXECUTOR}
            -D WORKING_DIR=${CMAKE_CURRENT_BINARY_DIR}
            -D LABEL=${ARG_LABEL}
            "-D" "ENVIRONMENT=${environment}"
            -D CTEST_FILE=${ctest_file}
            -P ${_CX_SUITES_SCRIPT}
    VERBATIM)
  file(WRITE ${include_file}
    "if(EXISTS \"${ctest_file}\")\n"
    "  include(\"${ctest_file}\")\n"
    "else()\n"
    "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
