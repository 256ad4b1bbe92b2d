#!/usr/bin/env bash
# Installs the SDK into a scratch prefix, moves the installed tree (it must
# not depend on where it was installed), checks what was installed and
# builds the minimal example against it with pkg-config and with
# find_package(Veltrano).
set -euo pipefail
build_dir=$1
source_dir=$2
. "$(dirname "$0")/installed_sdk.sh"
cmake --install "$build_dir" --prefix "$scratch/installed" >/dev/null
mv "$scratch/installed" "$scratch/sdk"
prefix=$scratch/sdk
libdir=$(library_dir "$prefix")
expect_installed_sdk "$prefix"
[ "$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --modversion veltrano)" = 5.22 ] ||
  { echo "veltrano.pc gives the wrong version"; exit 1; }
# The tools find the library beside their own folder.
version=$("$prefix/bin/veltrano-dpf" --version) || { echo "the installed veltrano-dpf did not run"; exit 1; }
[ "$version" = "veltrano-dpf, Veltrano SDK Win32 v5.22 (build 3336)" ] || { echo "unexpected version: $version"; exit 1; }
"$prefix/bin/veltrano-fontgen" "$scratch/font.png" "$scratch/font.cpp" >/dev/null &&
  [ -s "$scratch/font.png" ] || { echo "the installed veltrano-fontgen did not run"; exit 1; }

game=$source_dir/examples/minimal/main.cpp
mkdir "$scratch/pc-game"
build_with_pkg_config "$libdir/pkgconfig" "$game" "$scratch/pc-game/game"
run_game "$scratch/pc-game/game" "$libdir"
build_with_cmake "$prefix" "$game" "$scratch/cmake-game"
run_game "$scratch/cmake-game/build/game" "$libdir"

# The first game of the README, exactly as printed there, with the command
# the README gives.
mkdir "$scratch/readme-game"
sed -n '/^Write `game.cpp`:/,/^```$/p' "$source_dir/README.md" | sed '1,3d;$d' > "$scratch/readme-game/game.cpp"
[ -s "$scratch/readme-game/game.cpp" ] || { echo "README.md has no first game"; exit 1; }
build_with_pkg_config "$libdir/pkgconfig" "$scratch/readme-game/game.cpp" "$scratch/readme-game/game"
(cd "$scratch/readme-game" && LD_LIBRARY_PATH="$libdir" ./game && [ -s game.png ]) ||
  { echo "the README's first game did not run"; exit 1; }

# A game's own test reaches the testing aid through the same pkg-config line.
cat > "$scratch/aid.cpp" <<'TEST'
#include <veltrano.h>
#include <veltrano_testing.h>
int main() {
    if (Veltrano.Init(0) != 1) return 2;
    VeltranoTesting::UseManualClock(1);
    VeltranoTesting::SetClock(1234);
    VeltranoTesting::TapKey(SDLK_a);
    const bool ok = VeltranoTesting::Clock() == 1234 && VeltranoTesting::PendingInput() == 2;
    VeltranoTesting::ClearInput();
    VeltranoTesting::UseManualClock(0);
    Veltrano.Quit();
    return ok ? 0 : 3;
}
TEST
build_with_pkg_config "$libdir/pkgconfig" "$scratch/aid.cpp" "$scratch/aid"
LD_LIBRARY_PATH="$libdir" "$scratch/aid" >/dev/null || { echo "the testing aid did not work from the installed SDK"; exit 1; }
echo "the minimal game built with pkg-config and with find_package and ran against the moved SDK; so did the README's first game and a test using the testing aid"
