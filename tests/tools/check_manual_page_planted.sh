#!/usr/bin/env bash
# Runs the manual page check on damaged copies of the page, each of which
# must fail naming what is wrong, and on the page as it is, which must pass.
#   usage: check_manual_page_planted.sh CHECK_SCRIPT PATH_TO_veltrano-dpf PAGE
set -uo pipefail
CHECK=$1
TOOL=$2
PAGE=$3
COPY=$(mktemp)
trap 'rm -f "$COPY"' EXIT
failed=0
fail() { echo "FAIL: $1"; failed=1; }

# The page changed by a sed script must fail with the expected line.
expect_caught() {  # sed script, expected line
  sed -e "$1" "$PAGE" > "$COPY"
  local output status
  output=$("$CHECK" "$TOOL" "$COPY" 2>&1); status=$?
  [ "$status" -ne 0 ] || fail "the change '$1' passed"
  grep -qF -- "$2" <<< "$output" || fail "the change '$1' did not report '$2': $output"
}

expect_caught '/\\-\\-grid\\fR \\fIWxH/d' "add: the option --grid WxH is missing"
expect_caught 's/\\-\\-output\\fR \\fIDIR/\\-\\-output\\fR \\fIFOLDER/' "extract: the option --output DIR is missing"
expect_caught 's/\\fB\\-o\\fR, //' "extract: the short option -o (--output) is missing"
expect_caught 's/^\.SS info$/.SS information/' "the command 'info' has no .SS section"
expect_caught 's/^\\fBveltrano-dpf extract\\fR \\fIARCHIVE\\fR \[\\fINAME\\fR\]/\\fBveltrano-dpf extract\\fR \\fIARCHIVE\\fR/' \
  "extract: its arguments 'ARCHIVE [NAME]' are missing"
expect_caught 's/^Replace an existing file\.$/Replace an existing file; see \\fB\\-\\-overwrite\\fR./' \
  "the page names --overwrite, which the tool does not accept"
expect_caught 's/\\-\\-version/\\-\\-edition/g' "the shared option --version is missing from the page"

output=$("$CHECK" "$TOOL" "$PAGE" 2>&1) || fail "the page as it is failed: $output"

[ "$failed" -eq 0 ] && echo "damaged manual pages: caught as expected"
exit "$failed"
