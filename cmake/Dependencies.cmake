# Third-party libraries the SDK is built on, gathered in one interface target.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)

find_path(UCL_INCLUDE_DIR ucl/ucl.h REQUIRED)
find_library(UCL_LIBRARY ucl REQUIRED)

add_library(veltrano_deps INTERFACE)
target_include_directories(veltrano_deps INTERFACE ${UCL_INCLUDE_DIR})
target_link_libraries(veltrano_deps INTERFACE
  PkgConfig::SDL PkgConfig::PNG PkgConfig::ZLIB ${UCL_LIBRARY})
