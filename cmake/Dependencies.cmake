# Third-party libraries the SDK is built on, gathered in one interface target.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
pkg_check_modules(TINYXML REQUIRED IMPORTED_TARGET tinyxml)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(SDL_MIXER REQUIRED IMPORTED_TARGET SDL_mixer)
pkg_check_modules(SDL_NET REQUIRED IMPORTED_TARGET SDL_net)

find_path(UCL_INCLUDE_DIR ucl/ucl.h REQUIRED)
find_library(UCL_LIBRARY ucl REQUIRED)
# The MPEG player ships no pkg-config file.
find_path(SMPEG_INCLUDE_DIR smpeg.h PATH_SUFFIXES smpeg REQUIRED)
find_library(SMPEG_LIBRARY smpeg REQUIRED)

add_library(veltrano_deps INTERFACE)
target_include_directories(veltrano_deps INTERFACE ${UCL_INCLUDE_DIR} ${SMPEG_INCLUDE_DIR})
target_link_libraries(veltrano_deps INTERFACE
  PkgConfig::SDL PkgConfig::SDL_MIXER PkgConfig::SDL_NET PkgConfig::PNG PkgConfig::ZLIB
  PkgConfig::TINYXML ${UCL_LIBRARY} ${SMPEG_LIBRARY})
