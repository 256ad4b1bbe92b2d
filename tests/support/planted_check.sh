# Sourced by the shell tests that run a check on planted input: takes the
# checker's path from the first argument, makes a scratch folder that is
# removed on exit, and gives fail (record a failure with its reason),
# expect (the check's $output must hold a text) and finish (report and exit
# with the outcome).
set -uo pipefail
CHECK=$1
TREE=$(mktemp -d)
trap 'rm -rf "$TREE"' EXIT
failed=0
fail() { echo "FAIL: $1"; failed=1; }
finish() {  # success message
  [ "$failed" -eq 0 ] && echo "$1"
  exit "$failed"
}
expect() {  # text that the last check's $output must hold, reason otherwise
  grep -qF -- "$1" <<< "$output" || fail "$2"
}
