# Installing Vexa: the library, its public headers (cmake/PublicHeaders.txt, the headers
# <vexa/vexa.h> reaches), an exported Vexa::vexa target with VexaConfig.cmake and its version
# file for find_package, and a relocatable vexa.pc for pkg-config.
if(NOT VEXA_INSTALL)
  return()
endif()
include(CMakePackageConfigHelpers)

install(TARGETS vexa EXPORT VexaTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(STRINGS ${PROJECT_SOURCE_DIR}/cmake/PublicHeaders.txt public_headers)
foreach(header IN LISTS public_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/vexa/${header}
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vexa/${folder})
endforeach()

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Vexa)
install(EXPORT VexaTargets NAMESPACE Vexa:: DESTINATION ${config_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VexaConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/VexaConfig.cmake
                              INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VexaConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VexaConfig.cmake ${PROJECT_BINARY_DIR}/VexaConfigVersion.cmake
        DESTINATION ${config_dir})

# vexa.pc finds the prefix from its own place, so the installed tree can move.
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${pc_dir} ${CMAKE_INSTALL_PREFIX})
configure_file(${PROJECT_SOURCE_DIR}/cmake/vexa.pc.in ${PROJECT_BINARY_DIR}/vexa.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vexa.pc DESTINATION ${pc_dir})
