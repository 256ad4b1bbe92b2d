#!/usr/bin/env bash
# Makes the Debian package with CPack, checks its control fields and
# contents, unpacks it into a scratch root (no installation needed) and
# builds and runs the minimal example against the unpacked SDK.
set -euo pipefail
build_dir=$1
source_dir=$2
. "$(dirname "$0")/installed_sdk.sh"
(cd "$scratch" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
deb=$(find "$scratch/out" -maxdepth 1 -name 'veltrano_*.deb' -print -quit)
[ -n "$deb" ] || { echo "cpack made no veltrano_*.deb"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = veltrano ] || { echo "package name: $(field Package)"; exit 1; }
[ "$(field Version)" = 5.22 ] || { echo "package version: $(field Version)"; exit 1; }
[ -n "$(field Maintainer)" ] || { echo "no maintainer"; exit 1; }
depends=$(field Depends | tr -d ' ' | tr ',' '\n')
for dependency in libsdl1.2debian libsdl-mixer1.2 libsdl-net1.2 libsmpeg0 libpng16-16 zlib1g \
                  libtinyxml2.6.2v5 libucl1; do
  grep -x "$dependency" <<<"$depends" >/dev/null || { echo "does not depend on $dependency"; exit 1; }
done

dpkg-deb -x "$deb" "$scratch/root"
prefix=$scratch/root/usr
libdir=$(library_dir "$prefix")
expect_installed_sdk "$prefix"
mkdir "$scratch/game"
build_with_pkg_config "$libdir/pkgconfig" "$source_dir/examples/minimal/main.cpp" "$scratch/game/game"
run_game "$scratch/game/game" "$libdir"
echo "$(basename "$deb"): fields and contents as expected; the minimal game built and ran from the unpacked package"
