# Helpers that keep the per-folder CMake files to one line each.
# Every folder's sources are globbed, so adding a file needs no CMake edit.

# corvane_module(NAME DEPS <targets...>): src/NAME as the static library corvane_NAME.
function(corvane_module name)
  cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(corvane_${name} STATIC ${sources})
  target_include_directories(corvane_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(corvane_${name} PUBLIC ${M_DEPS})
  target_compile_definitions(corvane_${name} PUBLIC
      CORVANE_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
      CORVANE_VERSION_MINOR=${PROJECT_VERSION_MINOR}
      CORVANE_VERSION_PATCH=${PROJECT_VERSION_PATCH}
      CORVANE_VERSION_TWEAK=${PROJECT_VERSION_TWEAK})
endfunction()

# corvane_tests(NAME DEPS <targets...>): tests/NAME as the GoogleTest program
# corvane_NAME_tests, each test case registered with CTest.
function(corvane_tests name)
  cmake_parse_arguments(M "" "" "DEPS;ENV" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(corvane_${name}_tests ${sources})
  target_include_directories(corvane_${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(corvane_${name}_tests PRIVATE ${M_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(corvane_${name}_tests PRIVATE
      CORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}" CORVANE_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(corvane_${name}_tests DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "${name}." PROPERTIES ENVIRONMENT "${M_ENV}")
endfunction()

# corvane_bench(NAME DEPS <targets...>): bench/NAME.cpp as the Google Benchmark program bench_NAME.
function(corvane_bench name)
  cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
  add_executable(bench_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(bench_${name} PRIVATE ${M_DEPS} benchmark::benchmark)
endfunction()

# corvane_fuzzer(NAME DEPS <targets...>): fuzz/NAME.cpp as the libFuzzer program fuzz_NAME.
function(corvane_fuzzer name)
  cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
  add_executable(fuzz_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE ${M_DEPS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
function(corvane_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
