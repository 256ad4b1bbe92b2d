# Third-party libraries the SDK is built on, gathered in one interface target.
find_package(PkgConfig REQUIRED)

# What a game compiles and links against too (the public headers include
# SDL's), as PREFIX=module pairs of pkg-config modules: the same list makes
# the library's public link interface, the Requires line of veltrano.pc and
# the lookups of the installed CMake package.
set(VELTRANO_PUBLIC_MODULES SDL=sdl SDL_MIXER=SDL_mixer SDL_NET=SDL_net PNG=libpng ZLIB=zlib TINYXML=tinyxml)
set(VELTRANO_PUBLIC_TARGETS "")
set(VELTRANO_PC_REQUIRES "")
foreach(pair ${VELTRANO_PUBLIC_MODULES})
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 prefix)
  list(GET pair 1 module)
  pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET ${module})
  list(APPEND VELTRANO_PUBLIC_TARGETS PkgConfig::${prefix})
  list(APPEND VELTRANO_PC_REQUIRES ${module})
endforeach()
list(JOIN VELTRANO_PC_REQUIRES " " VELTRANO_PC_REQUIRES)

# Used inside the library only.
find_path(UCL_INCLUDE_DIR ucl/ucl.h REQUIRED)
find_library(UCL_LIBRARY ucl REQUIRED)
# The MPEG player ships no pkg-config file.
find_path(SMPEG_INCLUDE_DIR smpeg.h PATH_SUFFIXES smpeg REQUIRED)
find_library(SMPEG_LIBRARY smpeg REQUIRED)

add_library(veltrano_deps INTERFACE)
target_include_directories(veltrano_deps INTERFACE ${UCL_INCLUDE_DIR} ${SMPEG_INCLUDE_DIR})
target_link_libraries(veltrano_deps INTERFACE ${VELTRANO_PUBLIC_TARGETS} ${UCL_LIBRARY} ${SMPEG_LIBRARY})
