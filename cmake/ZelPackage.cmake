# The installed package: the exported targets (ZelControls::controls and one a
# family, recorded by zel_export_library), a CMake config with its version file,
# a pkg-config file and the resource images. The dependency lists are read off the
# targets once the whole project is read, so a library that links something new
# (from any folder) needs no edit here.
include(CMakePackageConfigHelpers)

set(ZEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZelControls)
install(EXPORT ZelControlsTargets NAMESPACE ZelControls:: DESTINATION ${ZEL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ZelControlsConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
# Compiled into zel_gfx already; installed as files for reference only.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zel-controls/resources
  FILES_MATCHING PATTERN "*.png" PATTERN "*.bmp")

# pkg-config module of each imported target PkgConfig::<PREFIX> of ZelDependencies.cmake.
set(ZEL_PKG_MODULE_FREETYPE freetype2)
set(ZEL_PKG_MODULE_FONTCONFIG fontconfig)
set(ZEL_PKG_MODULE_LIBPNG libpng)
set(ZEL_PKG_MODULE_X11 x11)
set(ZEL_PKG_MODULE_RE2 re2)

# What users of the installed libraries must find: the link interface of every
# exported library (for static libraries it holds their private dependencies too,
# as $<LINK_ONLY:...>). Sets ZEL_DEP_PKG_PREFIXES, ZEL_DEP_PKG_MODULES and
# ZEL_DEP_PACKAGES (CMake packages) in the caller's scope.
function(zel_collect_dependencies)
  get_property(libraries GLOBAL PROPERTY ZEL_EXPORTED_LIBRARIES)
  set(prefixes)
  set(modules)
  set(packages)
  foreach(lib ${libraries})
    get_target_property(deps ${lib} INTERFACE_LINK_LIBRARIES)
    foreach(dep ${deps})
      string(REGEX REPLACE "^\\$<(LINK_ONLY|BUILD_INTERFACE):(.*)>$" "\\2" dep "${dep}")
      if(dep MATCHES "^PkgConfig::(.+)$")
        set(prefix ${CMAKE_MATCH_1})
        if(NOT DEFINED ZEL_PKG_MODULE_${prefix})
          message(FATAL_ERROR "${lib} links ${dep}: name its pkg-config module in cmake/ZelPackage.cmake")
        endif()
        list(APPEND prefixes ${prefix})
        list(APPEND modules ${ZEL_PKG_MODULE_${prefix}})
      elseif(dep STREQUAL "Threads::Threads")
        list(APPEND packages Threads)
      elseif(dep MATCHES "^pugixml")
        list(APPEND packages pugixml)
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES prefixes)
  list(REMOVE_DUPLICATES modules)
  list(REMOVE_DUPLICATES packages)
  set(ZEL_DEP_PKG_PREFIXES "${prefixes}" PARENT_SCOPE)
  set(ZEL_DEP_PKG_MODULES "${modules}" PARENT_SCOPE)
  set(ZEL_DEP_PACKAGES "${packages}" PARENT_SCOPE)
endfunction()

# The config file's dependency section and the .pc file, once every target exists.
function(zel_write_package_files)
  zel_collect_dependencies()
  set(ZEL_FIND_DEPENDENCIES "")
  foreach(package ${ZEL_DEP_PACKAGES})
    string(APPEND ZEL_FIND_DEPENDENCIES "find_dependency(${package})\n")
  endforeach()
  foreach(prefix ${ZEL_DEP_PKG_PREFIXES})
    string(APPEND ZEL_FIND_DEPENDENCIES "zel_find_pkg_module(${prefix} ${ZEL_PKG_MODULE_${prefix}})\n")
  endforeach()
  configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/ZelControlsConfig.cmake.in
    ${CMAKE_BINARY_DIR}/ZelControlsConfig.cmake INSTALL_DESTINATION ${ZEL_CMAKE_DIR})
  install(FILES ${CMAKE_BINARY_DIR}/ZelControlsConfig.cmake
    ${CMAKE_BINARY_DIR}/ZelControlsConfigVersion.cmake DESTINATION ${ZEL_CMAKE_DIR})

  # Libs: dependents before their dependencies, for static linking. Each library
  # is declared after the ones it uses, so the reverse declaration order is one.
  get_property(libraries GLOBAL PROPERTY ZEL_EXPORTED_LIBRARIES)
  list(REVERSE libraries)
  set(ZEL_PC_LIBS "")
  foreach(lib ${libraries})
    get_target_property(type ${lib} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      string(APPEND ZEL_PC_LIBS " -l${lib}")
    endif()
  endforeach()
  # A static archive needs its dependencies on every link line, so they go in
  # Requires/Libs; shared libraries carry them themselves (Requires.private).
  list(JOIN ZEL_DEP_PKG_MODULES " " modules)
  set(ZEL_PC_REQUIRES "")
  set(ZEL_PC_REQUIRES_PRIVATE "")
  set(ZEL_PC_LIBS_PRIVATE "")
  set(threads "")
  if("Threads" IN_LIST ZEL_DEP_PACKAGES)
    set(threads "${CMAKE_THREAD_LIBS_INIT}")
  endif()
  if(BUILD_SHARED_LIBS)
    set(ZEL_PC_REQUIRES_PRIVATE "${modules}")
    set(ZEL_PC_LIBS_PRIVATE "${threads}")
  else()
    set(ZEL_PC_REQUIRES "${modules}")
    string(APPEND ZEL_PC_LIBS " ${threads}")
  endif()
  # The prefix is found from the .pc file's own place, so the installed tree can move.
  set(ZEL_PC_PREFIX "\${pcfiledir}")
  string(REPLACE "/" ";" parts "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
  foreach(part ${parts})
    string(APPEND ZEL_PC_PREFIX "/..")
  endforeach()
  configure_file(${CMAKE_SOURCE_DIR}/cmake/zel-controls.pc.in
    ${CMAKE_BINARY_DIR}/zel-controls.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/zel-controls.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zel_write_package_files)
