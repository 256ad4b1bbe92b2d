# Installation and the Debian package. Installed: the shared library with
# its soname links, the headers (include/veltrano), the pkg-config file and
# a CMake package (find_package(Veltrano) gives Veltrano::veltrano); the
# tools install themselves from their folders. Every file finds the others
# relative to its own place, so an installed tree can be moved as a whole.
include(CMakePackageConfigHelpers)

set(VELTRANO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Veltrano)
install(TARGETS veltrano EXPORT VeltranoTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/veltrano)

# From the pkg-config folder back up to the prefix.
file(RELATIVE_PATH VELTRANO_PC_UP /prefix/${CMAKE_INSTALL_LIBDIR} /prefix)
configure_file(cmake/veltrano.pc.in ${PROJECT_BINARY_DIR}/veltrano.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/veltrano.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set_target_properties(veltrano PROPERTIES EXPORT_NAME veltrano)
install(EXPORT VeltranoTargets NAMESPACE Veltrano:: DESTINATION ${VELTRANO_CMAKE_DIR})
configure_package_config_file(cmake/VeltranoConfig.cmake.in ${PROJECT_BINARY_DIR}/VeltranoConfig.cmake
  INSTALL_DESTINATION ${VELTRANO_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VeltranoConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VeltranoConfig.cmake ${PROJECT_BINARY_DIR}/VeltranoConfigVersion.cmake
  DESTINATION ${VELTRANO_CMAKE_DIR})

# cpack -G DEB (./dev.sh package): one package with the library, the
# headers, the tools and the manual page, installed under /usr. Depends
# names the Debian packages of the libraries the SDK loads; building a game
# also needs their -dev packages, which Suggests lists.
set(CPACK_PACKAGE_NAME veltrano)
set(CPACK_PACKAGE_VENDOR "Veltrano")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Veltrano SDK, a 2D game-development library on SDL 1.2")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Veltrano SDK developers <sdk@veltrano.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6, libstdc++6, libsdl1.2debian, libsdl-mixer1.2, libsdl-net1.2, libsmpeg0, libpng16-16, zlib1g, libtinyxml2.6.2v5, libucl1")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
  "pkg-config, libsdl1.2-dev, libsdl-mixer1.2-dev, libsdl-net1.2-dev, libpng-dev, zlib1g-dev, libtinyxml-dev")
include(CPack)
