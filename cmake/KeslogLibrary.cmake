# Shared compile options for every target of the project.
add_library(keslog_options INTERFACE)
target_compile_options(keslog_options INTERFACE -Wall -Wextra -Wpedantic)
if(KESLOG_WERROR)
  target_compile_options(keslog_options INTERFACE -Werror)
endif()
# Any finding stops the program, so that a test or fuzz run fails on it.
set(keslog_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
if(KESLOG_SANITIZE)
  target_compile_options(keslog_options INTERFACE ${keslog_sanitizers})
  target_link_options(keslog_options INTERFACE ${keslog_sanitizers})
endif()
if(KESLOG_FUZZ)
  target_compile_options(keslog_options INTERFACE ${keslog_sanitizers} -fsanitize=fuzzer-no-link)
  target_link_options(keslog_options INTERFACE ${keslog_sanitizers})
endif()

# keslog_library(NAME DIR DEPS...): a library of every .cpp in DIR (not
# recursing), its headers reachable as <DIR-relative-to-src/...>. Static
# unless BUILD_SHARED_LIBS is on, as the mutant runs have it, so that a change
# in one file relinks one library rather than every program.
function(keslog_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC keslog_options ${ARG_DEPS})
endfunction()

# keslog_test(NAME DEPS... [LABELS...]): one GoogleTest program of every .cpp
# in the current test folder, each case registered with CTest (with the
# labels, for `ctest -L`).
function(keslog_test name)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE keslog_test_support ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  # Tests find the sources (shipped data, fixtures) and the build's program folder.
  target_compile_definitions(${name} PRIVATE KESLOG_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KESLOG_DATA_DIR="${CMAKE_BINARY_DIR}/bin")
  add_dependencies(${name} keslog_data)
endfunction()
