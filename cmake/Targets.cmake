# Helpers that keep one library target per subsystem folder. Sources are collected from the named
# folders (not recursively), so adding a file needs no edit here.

# Flags for the project's own code: CP949 narrow literals from UTF-8 sources, warnings on.
# //TRANSLIT: the standard <chrono> header holds one micro-sign literal that has no CP949 form.
function(cx_project_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra
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

# cx_test(name DIRS dir... LABEL label [DEPS target...])
# One GoogleTest program per subsystem; each test case becomes a CTest test with the label.
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
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT "SDL_AUDIODRIVER=dummy"
    DISCOVERY_TIMEOUT 60)
endfunction()

# cx_bench(name SOURCES file... DEPS target...)
function(cx_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  cx_project_flags(${name})
endfunction()
