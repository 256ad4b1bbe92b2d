#!/usr/bin/env bash
# Runs the layering check on small planted trees: one where the core reaches
# up into the widgets and the whole SDK header must fail naming both
# includes, and one of legal includes that must pass.
#   usage: check_planted.sh PATH_TO_check_layers.sh
source "$(dirname "$0")/../support/planted_check.sh"

plant() {  # file, then its include lines
  local file=$1; shift
  mkdir -p "$TREE/$(dirname "$file")"
  : > "$TREE/$file"
  [ $# -eq 0 ] || printf '#include "%s"\n' "$@" > "$TREE/$file"
}

# Wrong: the core names a widget header and the SDK's top header.
plant core/planted.cpp "gui/button_state.h" "veltrano.h" "core/hooks.h"
output=$("$CHECK" "$TREE" 2>&1); status=$?
[ "$status" -eq 1 ] || fail "a core file reaching up passed (status $status)"
expect "core/planted.cpp: layer 'core' includes \"gui/button_state.h\" of layer 'gui' above it" \
  "the widget include was not named"
expect "core/planted.cpp: layer 'core' includes \"veltrano.h\" of layer 'startup' above it" \
  "the top header include was not named"
expect "2 include(s) break the layering" "a legal include was counted"

# Legal: the core looks down, start-up looks anywhere, a folder at its own.
rm -rf "${TREE:?}"/*
plant core/planted.cpp "Veltrano_Main.h" "log/log_environment.h" "platform/platform.h"
plant core/own.h
plant core/uses_own.cpp "own.h"
plant startup/planted.cpp "veltrano.h" "gui/button_state.h" "core/hooks.h"
output=$("$CHECK" "$TREE" 2>&1); status=$?
[ "$status" -eq 0 ] || fail "a legal tree failed (status $status): $output"

finish "planted trees: checked as expected"
