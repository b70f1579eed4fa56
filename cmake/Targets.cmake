# Helpers that keep one library target per subsystem folder. Sources are collected from the named
# folders (not recursively), so adding a file needs no edit here.

# Flags for the project's own code: CP949 narrow literals from UTF-8 sources, warnings on.
# //TRANSLIT: the standard <chrono> header holds one micro-sign literal that has no CP949 form.
# __FILE__ is the path from the project's root in every build, so log records and assertion
# messages name files the same way wherever the tree was checked out: the compiler may be given
# a source's absolute path or (through ccache's base folder) its path from the build folder.
# Pooled classes are constructed on blocks the pool zero-filled, and their users rely on members
# a constructor leaves alone reading 0; without -fno-lifetime-dse GCC may drop that zero-fill as
# dead once it sees the constructor begin.
function(cx_project_flags target)
  file(RELATIVE_PATH from_build ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  string(REGEX REPLACE "/+$" "" from_build "${from_build}")
  target_compile_options(${target} PRIVATE -Wall -Wextra
    $<$<BOOL:${CX_WARNINGS_AS_ERRORS}>:-Werror>
    -fmacro-prefix-map=${PROJECT_SOURCE_DIR}/=
    $<$<BOOL:${from_build}>:-fmacro-prefix-map=${from_build}/=>
    $<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CXX_COMPILER_ID:GNU>>:-fno-lifetime-dse>
    $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=CP949//TRANSLIT>)
endfunction()

# cx_library(name DIRS dir... [PUBLIC_INCLUDES dir...] [DEPS target...])
function(cx_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;PUBLIC_INCLUDES;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    # A subsystem whose folder holds only headers so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${ARG_PUBLIC_INCLUDES})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${ARG_PUBLIC_INCLUDES})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  cx_project_flags(${name})
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/GTestSuites.cmake)

# cx_test(name DIRS dir... LABEL label [DEPS target...])
# One GoogleTest program per subsystem; each test suite becomes a CTest test with the label.
function(cx_test name)
  cmake_parse_arguments(ARG "" "LABEL" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    CX_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  cx_project_flags(${name})
  # Every suite runs through the executor that repeats a run spoiled only by the leak checker's
  # tracer crashing at exit.
  cx_discover_suites(${name} LABEL ${ARG_LABEL} EXECUTOR ${PROJECT_SOURCE_DIR}/tests/support/run_test.sh
    ENVIRONMENT "SDL_AUDIODRIVER=dummy")
endfunction()

# cx_bench(name SOURCES file... DEPS target...)
function(cx_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  cx_project_flags(${name})
endfunction()
