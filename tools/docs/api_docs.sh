#!/usr/bin/env bash
# Builds the API reference from the public headers with Doxygen and fails,
# listing the warnings, when a public declaration has no comment, a
# parameter has no @param or a comment does not parse.
#   api_docs.sh OUTPUT_DIR [HEADER...]
# The pages go to OUTPUT_DIR/html; without headers every header of include/
# is read.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ $# -lt 1 ]; then
  sed -n '2,7p' "$0" >&2
  exit 2
fi
output=$1; shift
if ! command -v doxygen >/dev/null; then
  echo "doxygen is not installed (./dev.sh setup installs it)" >&2
  exit 1
fi
inputs=("$root/include")
if [ $# -gt 0 ]; then
  inputs=()
  for header in "$@"; do inputs+=("$(cd "$(dirname "$header")" && pwd)/$(basename "$header")"); done
fi
mkdir -p "$output"
warnings="$output/warnings.txt"
version=$(sed -n 's/^project(veltrano VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
status=0
VELTRANO_DOCS_INPUT="$(printf '"%s" ' "${inputs[@]}")" VELTRANO_DOCS_OUTPUT="$output" VELTRANO_DOCS_STRIP="$root/" \
  VELTRANO_DOCS_VERSION="$version" doxygen "$root/docs/Doxyfile" >/dev/null 2>"$warnings" || status=$?
# Doxygen does not report undocumented constructors, destructors and deleted
# members; this adds them to its warnings.
headers=()
for input in "${inputs[@]}"; do
  if [ -d "$input" ]; then headers+=("$input"/*.h); else headers+=("$input"); fi
done
awk -f "$root/tools/docs/undocumented_members.awk" "${headers[@]}" >>"$warnings" || true
if [ "$status" -ne 0 ] || [ -s "$warnings" ]; then
  echo "The API reference has $(grep -c . "$warnings" || true) warning lines:" >&2
  cat "$warnings" >&2
  echo "Pages written despite the warnings: $output/html/index.html" >&2
  exit 1
fi
echo "$output/html/index.html"
