#!/usr/bin/env bash
# Veltrano SDK developer script.
#   ./dev.sh demo    install what is missing, build, run the demo
#   ./dev.sh test    install what is missing, build and run every test:
#                    normal build, ASan+UBSan build, bounded fuzz runs
#   ./dev.sh bench   build and run the benchmarks
#   ./dev.sh setup   only install the build dependencies
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

PACKAGES=(cmake g++ make pkg-config clang libclang-rt-dev xvfb xauth libx11-dev
          libsdl1.2-dev libsdl-mixer1.2-dev libsdl-net1.2-dev libsmpeg-dev
          libvorbis-dev libogg-dev
          libpng-dev zlib1g-dev libtinyxml-dev libucl-dev
          libgtest-dev libbenchmark-dev
          libsdl-image1.2-dev libsdl-gfx1.2-dev)  # benchmark references only

setup() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

configure_and_build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$ROOT/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$ROOT/$dir" -j"$JOBS"
}

# Every option a build relies on is set explicitly, so a build folder that
# another command configured differently (the demo turns tests off) is put
# back the way this command needs it.
ALL_ON=(-DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON -DVELTRANO_EXAMPLES=ON -DVELTRANO_TOOLS=ON)

# A private X server for the tests that open a real window; stopped on exit.
# Xvfb picks a free display itself and writes its number to fd 3, so test
# runs started side by side never share or steal a display; -noreset keeps
# it from restarting (and refusing connections meanwhile) whenever its last
# client leaves.
start_xvfb() {
  local numberFile display=""
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 300); do
    display=$(tr -dc '0-9' < "$numberFile")
    [ -n "$display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberFile"
  if [ -z "$display" ]; then
    echo "Xvfb could not be started" >&2
    return 1
  fi
  export DISPLAY=":$display"
}
stop_xvfb() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true; }

run_tests() {  # dir
  # The harness, never the SDK, chooses SDL's headless drivers; the window
  # tests switch to x11 on the Xvfb display and must find it.
  (cd "$ROOT/$1" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VELTRANO_REQUIRE_DISPLAY=1 \
     ctest --output-on-failure --no-tests=error -j"$JOBS" --timeout 600)
}

run_fuzzers() {
  configure_and_build build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVELTRANO_FUZZ=ON -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF -DVELTRANO_EXAMPLES=OFF \
    -DVELTRANO_TOOLS=OFF
  for fuzzer in "$ROOT"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    local name corpus work
    name=$(basename "$fuzzer")
    corpus="$ROOT/fuzz/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
    echo "== fuzzing $name for ${FUZZ_SECONDS}s"
    (cd "$work" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
       "$fuzzer" -max_total_time="$FUZZ_SECONDS" -max_len=65536 -rss_limit_mb=2048 \
       -print_final_stats=1 "$work" 2>&1 | tail -n 15)
    rm -rf "$work"
  done
}

case "${1:-}" in
  setup) setup ;;
  demo)
    setup
    configure_and_build build -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF -DVELTRANO_EXAMPLES=ON \
      -DVELTRANO_TOOLS=ON
    (cd "$ROOT/build/examples/hello" && ./hello)
    ;;
  test)
    setup
    start_xvfb
    trap stop_xvfb EXIT
    echo "== normal build"
    configure_and_build build "${ALL_ON[@]}" -DVELTRANO_SANITIZE=OFF -DVELTRANO_FUZZ=OFF
    run_tests build
    echo "== ASan+UBSan build"
    configure_and_build build-asan -DVELTRANO_SANITIZE=ON "${ALL_ON[@]}" -DVELTRANO_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$ROOT/tests/support/lsan.supp" \
      run_tests build-asan
    echo "== fuzz runs"
    run_fuzzers
    ;;
  bench)
    setup
    configure_and_build build "${ALL_ON[@]}" -DVELTRANO_TESTS=OFF
    for b in "$ROOT"/build/bench/bench_*; do [ -x "$b" ] && "$b"; done
    ;;
  *)
    sed -n '2,8p' "$0"; exit 2 ;;
esac
