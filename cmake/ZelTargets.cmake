# Helpers that keep every folder's CMake file a few lines long.

# Compiler flags shared by every target of the project.
add_library(zel_flags INTERFACE)
target_compile_options(zel_flags INTERFACE -Wall -Wextra -Wpedantic -Wshadow
  -Wnon-virtual-dtor -Wno-unused-parameter)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # g++ 12 reports false -Wrestrict hits inside std::string concatenation at -O2.
  target_compile_options(zel_flags INTERFACE -Wno-restrict)
endif()
if(ZEL_WERROR)
  target_compile_options(zel_flags INTERFACE -Werror)
endif()
if(ZEL_SANITIZE)
  target_compile_options(zel_flags INTERFACE -fsanitize=address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(zel_flags INTERFACE -fsanitize=address,undefined)
endif()
if(ZEL_BUILD_FUZZ)
  # Coverage instrumentation for every library the fuzz targets link.
  target_compile_options(zel_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined
    -fno-omit-frame-pointer)
  target_link_options(zel_flags INTERFACE -fsanitize=address,undefined)
endif()
target_include_directories(zel_flags INTERFACE ${CMAKE_SOURCE_DIR})

# zel_add_library(name DIRS dir... DEPS target...): a static library made of every
# .cpp found in the given folders (not in their sub-folders).
function(zel_add_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS;PRIVATE_DEPS" ${ARGN})
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    # A folder that holds only headers so far.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE zel_flags ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC zel_flags ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# zel_add_tests(name DIR dir DEPS target...): one GoogleTest program made of every
# .cpp in tests/<dir>, its cases registered with CTest one by one. PLAIN leaves out
# the headless-form helpers of tests/support.
function(zel_add_tests name)
  cmake_parse_arguments(ARG "PLAIN" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${ARG_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  set(support zel_testsupport)
  if(ARG_PLAIN)
    set(support)  # tests below the window layer: no headless form helpers
  endif()
  target_link_libraries(${name} PRIVATE zel_flags ${support} ${ARG_DEPS}
    GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    PROPERTIES ENVIRONMENT "ZEL_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# zel_add_bench(name SOURCE file DEPS target...): one Google Benchmark program.
function(zel_add_bench name)
  cmake_parse_arguments(ARG "" "SOURCE" "DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCE})
  target_link_libraries(${name} PRIVATE zel_flags ${ARG_DEPS} benchmark::benchmark)
endfunction()

# zel_add_fuzzer(name SOURCE file DEPS target...): one libFuzzer program.
function(zel_add_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE" "DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCE})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE zel_flags ${ARG_DEPS})
endfunction()
