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

# What a library shows to its users, decided here and nowhere else. Everything in
# a library's folders is public, except the X11 backend (host/backend/X11*: its
# headers pull in Xlib, and a program reaches the backends through
# host/backend/Backend.h) and any header named *Internal.h. Private headers are
# not installed.
#
# Symbol visibility: the public libraries keep default visibility, so every class
# and function declared in an installed header is exported without an export
# macro on each declaration. The private sources compile with hidden visibility,
# so nothing of them leaves a shared library (anonymous namespaces are local
# anyway).
set(ZEL_PRIVATE_REGEX "/host/backend/X11[^/]*\\.(h|cpp)$|Internal\\.h$")

function(zel_hide_internals name sources)
  set(hidden ${sources})
  list(FILTER hidden INCLUDE REGEX "${ZEL_PRIVATE_REGEX}")
  if(hidden)
    set_source_files_properties(${hidden} PROPERTIES
      COMPILE_OPTIONS "-fvisibility=hidden;-fvisibility-inlines-hidden")
    set_property(GLOBAL APPEND PROPERTY ZEL_INTERNAL_SOURCES_${name} ${hidden})
  endif()
endfunction()

# zel_add_library(name DIRS dir... [HEADER_DIRS dir...] DEPS target...): a library
# made of every .cpp found in the given folders (not in their sub-folders), static
# or shared as BUILD_SHARED_LIBS says. Its headers, and those of HEADER_DIRS (header-
# only folders it carries), install to include/zel/<folder>; the installed target
# is ZelControls::<name without zel_>.
function(zel_add_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;HEADER_DIRS;DEPS;PRIVATE_DEPS" ${ARGN})
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    # A folder that holds only headers so far.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE $<BUILD_INTERFACE:zel_flags> ${ARG_DEPS})
  else()
    add_library(${name} ${sources})
    target_link_libraries(${name} PUBLIC $<BUILD_INTERFACE:zel_flags> ${ARG_DEPS}
      PRIVATE ${ARG_PRIVATE_DEPS})
    # Installed side by side, the libraries find each other in their own folder.
    set_target_properties(${name} PROPERTIES INSTALL_RPATH "$ORIGIN")
    zel_hide_internals(${name} "${sources}")
  endif()
  zel_export_library(${name} ${ARG_DIRS} ${ARG_HEADER_DIRS})
endfunction()

# zel_export_library(name dir...): installs the target and the public headers of
# the folders, and records it for the package files (cmake/ZelPackage.cmake).
function(zel_export_library name)
  string(REGEX REPLACE "^zel_" "" export_name ${name})
  set_target_properties(${name} PROPERTIES EXPORT_NAME ${export_name})
  get_target_property(type ${name} TYPE)
  set(scope PUBLIC)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  endif()
  # The headers are C++20. Installed, they include each other as "host/ui/Forms.h":
  # include/zel is the root.
  target_compile_features(${name} ${scope} cxx_std_20)
  target_include_directories(${name} ${scope}
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/zel>)
  install(TARGETS ${name} EXPORT ZelControlsTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  foreach(dir ${ARGN})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(FILTER headers EXCLUDE REGEX "${ZEL_PRIVATE_REGEX}")
    if(headers)
      install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zel/${dir})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY ZEL_EXPORTED_LIBRARIES ${name})
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
