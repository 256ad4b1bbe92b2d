#!/usr/bin/env bash
# Veltrano SDK developer script.
#   ./dev.sh demo    install what is missing, build, run the demo
#   ./dev.sh test    install what is missing, build and run every test:
#                    normal build, ASan+UBSan build, bounded fuzz runs
#   ./dev.sh fuzz [SECONDS]  long fuzz campaigns, SECONDS (600) per target,
#                    new inputs kept in build-fuzz/corpus/<target>
#   ./dev.sh bench   build and run the benchmarks
#   ./dev.sh docs    install what is missing, build the API reference into
#                    build-docs/html and print the path of its index
#   ./dev.sh package build the Debian package build/veltrano_<version>_<arch>.deb
#   ./dev.sh setup   only install the build dependencies
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=$(nproc 2>/dev/null || echo 2)
# The fuzz runs of ./dev.sh test share one budget of wall-clock seconds,
# FUZZ_PARALLEL targets at a time.
FUZZ_BUDGET=${FUZZ_BUDGET:-240}
FUZZ_PARALLEL=${FUZZ_PARALLEL:-2}

PACKAGES=(cmake g++ make pkg-config clang libclang-rt-dev xvfb xauth libx11-dev
          libsdl1.2-dev libsdl-mixer1.2-dev libsdl-net1.2-dev libsmpeg-dev
          libvorbis-dev libogg-dev
          libpng-dev zlib1g-dev libtinyxml-dev libucl-dev
          libgtest-dev libbenchmark-dev doxygen
          libsdl-image1.2-dev libsdl-gfx1.2-dev libphysfs-dev)  # benchmark references only

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
  # A folder that must use a given compiler and was configured with another
  # (the ASan build used g++ once) is started afresh: CMake cannot switch
  # compilers in place.
  local cache="$ROOT/$dir/CMakeCache.txt" compiler=""
  for arg in "$@"; do case "$arg" in -DCMAKE_CXX_COMPILER=*) compiler=${arg#*=} ;; esac; done
  if [ -n "$compiler" ] && [ -f "$cache" ]; then
    local configured
    configured=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$cache")
    [ "${configured##*/}" = "$compiler" ] || rm -rf "${ROOT:?}/$dir"
  fi
  local options=() build=()
  while [ $# -gt 0 ]; do
    case "$1" in --target) build+=("$1" "$2"); shift 2 ;; *) options+=("$1"); shift ;; esac
  done
  cmake -S "$ROOT" -B "$ROOT/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
  cmake --build "$ROOT/$dir" -j"$JOBS" "${build[@]}"
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

# Runs one phase of a command and says how long it took.
phase() {  # label command...
  local label=$1 start=$SECONDS
  shift
  echo "== $label"
  "$@"
  echo "== $label: $(( SECONDS - start ))s"
}

run_tests() {  # dir
  # The harness, never the SDK, chooses SDL's headless drivers; the window
  # tests switch to x11 on the Xvfb display and must find it.
  (cd "$ROOT/$1" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VELTRANO_REQUIRE_DISPLAY=1 \
     ctest --output-on-failure --no-tests=error -j"$JOBS" --timeout 600)
}

# The sanitizer and fuzz builds use clang: it builds the instrumented tree
# about three times faster than g++ does, and the normal build already
# compiles everything with g++.
CLANG=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)

build_fuzzers() {
  # Only the fuzz targets: the library objects they link and nothing else.
  configure_and_build build-fuzz "${CLANG[@]}" -DVELTRANO_FUZZ=ON -DVELTRANO_SANITIZE=OFF \
    -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF -DVELTRANO_EXAMPLES=OFF -DVELTRANO_TOOLS=OFF \
    --target fuzzers
}

# One fuzz target for a number of seconds: new inputs go into the first
# corpus folder, the seeds of fuzz/corpus/<target> are read beside it. An
# input running longer than the per-input timeout counts as a failure, as a
# crash does; what failed is kept in build-fuzz/artifacts/.
fuzz_one() {  # fuzzer seconds corpus
  local fuzzer=$1 seconds=$2 corpus=$3 name log status=0
  name=$(basename "$fuzzer")
  log="$ROOT/build-fuzz/logs/$name.log"
  mkdir -p "$corpus" "$ROOT/build-fuzz/logs" "$ROOT/build-fuzz/artifacts"
  local seeds=()
  [ -d "$ROOT/fuzz/corpus/${name#fuzz_}" ] && seeds=("$ROOT/fuzz/corpus/${name#fuzz_}")
  (cd "$ROOT/build-fuzz" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
     "$fuzzer" -max_total_time="$seconds" -timeout=25 -max_len=65536 -rss_limit_mb=2048 \
     -print_final_stats=1 -artifact_prefix="$ROOT/build-fuzz/artifacts/$name-" \
     "$corpus" "${seeds[@]}") >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "== $name FAILED (exit $status); its log: $log" >&2
    tail -n 40 "$log" >&2
    return 1
  fi
  echo "== $name: $(grep -m1 -o "stat::number_of_executed_units: *[0-9]*" "$log" | grep -o "[0-9]*$" || true) runs in ${seconds}s, $(ls "$corpus" | wc -l) corpus inputs"
}

# Runs every target, FUZZ_PARALLEL at a time; fails when any target failed.
run_fuzzers() {  # seconds-per-target corpus-root
  local seconds=$1 corpusRoot=$2 fuzzer failed=0 pids=()
  for fuzzer in "$ROOT"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    fuzz_one "$fuzzer" "$seconds" "$corpusRoot/$(basename "$fuzzer" | sed 's/^fuzz_//')" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$FUZZ_PARALLEL" ]; then
      wait "${pids[0]}" || failed=1
      pids=("${pids[@]:1}")
    fi
  done
  for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  return $failed
}

# The test run's share of FUZZ_BUDGET: the targets go FUZZ_PARALLEL at a
# time, so each gets the budget divided by the number of rounds, at least
# 10 seconds. The corpora are thrown away afterwards.
run_bounded_fuzzers() {
  local targets rounds seconds scratch status=0
  targets=$(find "$ROOT/build-fuzz/fuzz" -maxdepth 1 -name 'fuzz_*' -type f -perm -u+x | wc -l)
  if [ "$targets" -eq 0 ]; then
    echo "no fuzz targets were built" >&2
    return 1
  fi
  rounds=$(( (targets + FUZZ_PARALLEL - 1) / FUZZ_PARALLEL ))
  seconds=$(( FUZZ_BUDGET / rounds ))
  [ "$seconds" -lt 10 ] && seconds=10
  echo "== fuzzing $targets targets, $FUZZ_PARALLEL at a time, ${seconds}s each"
  scratch=$(mktemp -d)
  run_fuzzers "$seconds" "$scratch" || status=$?
  rm -rf "$scratch"
  return $status
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
    phase "normal build" configure_and_build build "${ALL_ON[@]}" -DVELTRANO_SANITIZE=OFF -DVELTRANO_FUZZ=OFF
    phase "normal suite" run_tests build
    phase "ASan+UBSan build" configure_and_build build-asan "${CLANG[@]}" -DVELTRANO_SANITIZE=ON \
      "${ALL_ON[@]}" -DVELTRANO_BENCH=OFF -DVELTRANO_FUZZ=OFF
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$ROOT/tests/support/lsan.supp" \
      phase "ASan+UBSan suite" run_tests build-asan
    phase "fuzz build" build_fuzzers
    phase "fuzz runs" run_bounded_fuzzers
    echo "== every test passed in $(( SECONDS / 60 ))m$(( SECONDS % 60 ))s"
    ;;
  fuzz)
    setup
    seconds=${2:-600}
    case "$seconds" in ''|*[!0-9]*) echo "SECONDS must be a whole number, not '$seconds'" >&2; exit 2 ;; esac
    build_fuzzers
    echo "== fuzzing every target for ${seconds}s, $FUZZ_PARALLEL at a time; corpora in build-fuzz/corpus/"
    run_fuzzers "$seconds" "$ROOT/build-fuzz/corpus"
    ;;
  bench)
    setup
    configure_and_build build "${ALL_ON[@]}" -DVELTRANO_TESTS=OFF
    for b in "$ROOT"/build/bench/bench_*; do [ -x "$b" ] && "$b"; done
    ;;
  docs)
    setup
    tools/docs/api_docs.sh "$ROOT/build-docs"
    ;;
  package)
    # The library, its headers and the tools; nothing else is packaged.
    setup
    configure_and_build build -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF -DVELTRANO_EXAMPLES=OFF \
      -DVELTRANO_TOOLS=ON -DVELTRANO_SANITIZE=OFF -DVELTRANO_FUZZ=OFF
    (cd "$ROOT/build" && cpack -G DEB)
    ;;
  *)
    sed -n '2,12p' "$0"; exit 2 ;;
esac
