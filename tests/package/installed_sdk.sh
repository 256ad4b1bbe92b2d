# Shared by the package tests (sourced): a scratch folder removed at exit,
# the check of an installed SDK's files, and the minimal example built
# against it the two ways a newcomer is told to and run with only the
# variables the README names.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The folder of libveltrano.so under an installed prefix.
library_dir() {  # prefix
  dirname "$(find "$1" -name libveltrano.so -print -quit)"
}

# Fails naming the first file missing under the prefix.
expect_installed_sdk() {  # prefix
  local prefix=$1 lib path
  lib=$(library_dir "$prefix")
  lib=${lib#"$prefix/"}
  for path in "$lib/libveltrano.so" "$lib/libveltrano.so.5" "$lib/libveltrano.so.5.22" \
              include/veltrano/veltrano.h "$lib/pkgconfig/veltrano.pc" \
              "$lib/cmake/Veltrano/VeltranoConfig.cmake" "$lib/cmake/Veltrano/VeltranoConfigVersion.cmake" \
              "$lib/cmake/Veltrano/VeltranoTargets.cmake" \
              bin/veltrano-dpf bin/veltrano-fontgen share/man/man1/veltrano-dpf.1; do
    [ -e "$prefix/$path" ] || { echo "not installed: $path"; return 1; }
  done
  [ "$(readlink "$prefix/$lib/libveltrano.so")" = libveltrano.so.5 ] ||
    { echo "libveltrano.so does not link the soname"; return 1; }
}

# g++ game.cpp $(pkg-config --cflags --libs veltrano), with PKG_CONFIG_PATH
# naming the SDK's pkgconfig folder.
build_with_pkg_config() {  # pkgconfig-dir source output
  local flags
  flags=$(PKG_CONFIG_PATH="$1" pkg-config --cflags --libs veltrano)
  g++ -std=c++17 -o "$3" "$2" $flags
}

# A project of its own: find_package(Veltrano) with CMAKE_PREFIX_PATH at
# the SDK. CMake would give the program a run path into the SDK; it is
# left out so that only LD_LIBRARY_PATH can let it start, as documented.
build_with_cmake() {  # prefix source project-dir
  local prefix=$1 source=$2 project=$3
  mkdir -p "$project"
  cp "$source" "$project/main.cpp"
  cat > "$project/CMakeLists.txt" <<'PROJECT'
cmake_minimum_required(VERSION 3.16)
project(game CXX)
find_package(Veltrano 5.22 REQUIRED)
add_executable(game main.cpp)
target_link_libraries(game Veltrano::veltrano)
PROJECT
  cmake -S "$project" -B "$project/build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_SKIP_RPATH=ON >/dev/null
  cmake --build "$project/build" >/dev/null
}

# Runs the game in its own folder with LD_LIBRARY_PATH only: the loader must
# take the SDK from there (not from a run path or an installed copy), and
# the game must end by itself leaving its screenshot.
run_game() {  # game libdir
  local game=$1 libdir=$2 dir
  dir=$(dirname "$game")
  if readelf -d "$game" | grep -E 'RPATH|RUNPATH'; then
    echo "$game carries a run path"
    return 1
  fi
  LD_LIBRARY_PATH="$libdir" ldd "$game" | grep "libveltrano.so.5 => $libdir/" >/dev/null ||
    { echo "$game does not load the SDK from $libdir"; return 1; }
  (cd "$dir" && LD_LIBRARY_PATH="$libdir" "$game") || { echo "$game failed"; return 1; }
  [ -s "$dir/minimal.png" ] || { echo "$game saved no screenshot"; return 1; }
}
