# Helpers that every folder uses to declare its tests, fuzz targets and
# benchmarks, so that each folder's CMakeLists.txt stays self-contained.
include(GoogleTest)

# Test programs spend their build time parsing GoogleTest and GoogleMock and
# in the optimiser; neither helps a test find a fault. One precompiled header
# serves every test program, and tests are built at -O1 in optimised builds.
set(KVT_FUZZ_MAX_SECONDS 10 CACHE STRING "Longest run of one fuzz target in ctest, in seconds")
option(KVT_TEST_PCH "Precompile the test framework headers once for every test" ON)

function(kvt_test_pch)
  if(TARGET kvt_test_pch OR NOT KVT_TEST_PCH)
    return()
  endif()
  add_library(kvt_test_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/test_pch.cpp)
  target_link_libraries(kvt_test_pch PUBLIC GTest::gmock)
  if(WIN32)
    # The header is only reused by programs compiled with the same macros;
    # on Windows every test program gets the platform's (UNICODE, WINVER).
    target_link_libraries(kvt_test_pch PUBLIC kvt_platform)
  endif()
  target_precompile_headers(kvt_test_pch PRIVATE
    <gmock/gmock.h> <gtest/gtest.h> <algorithm> <cstdint> <cstring> <memory> <string> <vector>)
  kvt_test_options(kvt_test_pch)
endfunction()

function(kvt_test_options target)
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    target_compile_options(${target} PRIVATE -O1)
  endif()
endfunction()

# kvt_add_test(name SOURCES ... LIBS ...)
# Native builds: one ctest per test case, label "native".
# Windows build: the same program runs under wine as one ctest, label "wine",
# so portable code is also checked against the Windows C runtime.
function(kvt_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  kvt_test_options(${name})
  if(KVT_TEST_PCH)
    kvt_test_pch()
    target_link_libraries(${name} PRIVATE kvt_test_pch)
    target_precompile_headers(${name} REUSE_FROM kvt_test_pch)
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS wine FIXTURES_REQUIRED wine_prefix TIMEOUT 300)
  elseif(KVT_SANITIZE)
    # Under the sanitizers a process start costs a good part of a second, so
    # each program runs once, all of its cases together.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS native TIMEOUT 300)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS native TIMEOUT 120)
  endif()
endfunction()

# kvt_add_fuzzer(name SOURCES ... LIBS ... [CORPUS dir] [SECONDS n])
# Built only with KVT_FUZZ (clang); ctest runs it for a short while over its
# committed seed corpus, label "fuzz".
function(kvt_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT KVT_FUZZ)
    return()
  endif()
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 20)
  endif()
  # The test command keeps every run short; raise the cap for a longer hunt.
  if(ARG_SECONDS GREATER KVT_FUZZ_MAX_SECONDS)
    set(ARG_SECONDS ${KVT_FUZZ_MAX_SECONDS})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${work})
  set(dirs ${work})
  if(ARG_CORPUS)
    list(APPEND dirs ${ARG_CORPUS})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${ARG_SECONDS} -timeout=10 -rss_limit_mb=2048 ${dirs})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()

# kvt_add_benchmark(name SOURCES ... LIBS ...)
# Native, non-sanitized builds only. ctest runs each once, briefly (label
# "bench"), so a broken benchmark is noticed; run them by hand for figures.
function(kvt_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32 OR KVT_SANITIZE OR NOT KVT_BENCH)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
  add_test(NAME ${name} COMMAND ${name} --benchmark_min_time=0.001)
  set_tests_properties(${name} PROPERTIES LABELS bench TIMEOUT 120)
endfunction()
