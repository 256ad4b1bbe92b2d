#!/usr/bin/env bash
# Installs the SDK into a scratch prefix and builds a game the way a game
# programmer would: g++ game.cpp $(pkg-config --cflags --libs veltrano).
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
libdir=$(find "$prefix" -name veltrano.pc -printf '%h\n' | head -n 1)
export PKG_CONFIG_PATH="$libdir"
cat > "$prefix/game.cpp" <<'GAME'
#include <veltrano.h>
#include <veltrano_testing.h>
#include <cstdio>
int main() {
    if (!Veltrano.RequireVersion(5, 22)) return 1;
    if (Veltrano.Init(0) != 1) return 2;
    std::printf("%s\n", Veltrano.GetVersion());
    int ok = IStuffDPF != nullptr;
    // The XML API needs TinyXml through the same pkg-config line.
    int h = Veltrano.XMLCreate("setup");
    ok = ok && h == 1 && Veltrano.XMLAttributeSet(h, "ok", 1) == 1;
    Veltrano.XMLClose(h);
    // A game's tests reach the testing aid through the same line.
    VeltranoTesting::UseManualClock(1);
    VeltranoTesting::SetClock(1234);
    VeltranoTesting::TapKey(SDLK_a);
    ok = ok && VeltranoTesting::Clock() == 1234 && VeltranoTesting::PendingInput() == 2;
    VeltranoTesting::ClearInput();
    VeltranoTesting::UseManualClock(0);
    Veltrano.Quit();
    return ok ? 0 : 3;
}
GAME
g++ -std=c++17 -o "$prefix/game" "$prefix/game.cpp" $(pkg-config --cflags --libs veltrano) \
    -Wl,-rpath,"$(dirname "$libdir")"
output=$("$prefix/game")
[ "$output" = "Veltrano SDK Win32 v5.22 (build 3336)" ] || { echo "unexpected output: $output"; exit 1; }
echo "game built and ran against the installed SDK"
