#!/usr/bin/env bash
# Runs the API reference check on planted headers: one with an undocumented
# method, a method missing an @param, an undocumented function and an
# undocumented constructor and an undocumented namespace (both of which
# Doxygen itself lets pass) must fail naming all five, and leave alone an overload group sharing one comment; the same
# header fully documented must pass and produce the pages.
#   usage: check_planted.sh PATH_TO_api_docs.sh
source "$(dirname "$0")/../support/planted_check.sh"

cat > "$TREE/planted.h" <<'HEADER'
/// @file
/// A planted header.
#include "veltrano_export.h"

/// A planted interface.
class VELTRANO_API Planted {
public:
    Planted();
    /// Documented with every parameter.
    /// @param count  how many.
    /// @return count.
    int Whole(int count);
    int Bare(int count);
    /// Documented without its parameter.
    /// @return 0.
    int Half(int count);
    /// An overload group sharing one comment.
    /// @param key  a name or a number.
    /// @return 1.
    ///@{
    int Load(const char* key);
    int Load(int key);
    ///@}
};

int PlantedFunction(int count);

namespace PlantedSpace {
int Hidden(int count);
}
HEADER
output=$("$CHECK" "$TREE/out" "$TREE/planted.h" 2>&1); status=$?
[ "$status" -eq 1 ] || fail "undocumented declarations passed (status $status)"
expect "planted.h:13: error: Member Bare(int count) (function) of class Planted is not documented." \
  "the undocumented method was not named: $output"
expect "planted.h:15: error: parameters of member Planted::Half are not documented" \
  "the missing @param was not named: $output"
expect "planted.h:26: error: Member PlantedFunction(int count) (function) of file planted.h is not documented." \
  "the undocumented function was not named: $output"
expect "planted.h:8: public declaration without a /// comment: Planted();" \
  "the undocumented constructor was not named: $output"
expect "planted.h:28: public declaration without a /// comment: namespace PlantedSpace {" \
  "the undocumented namespace (whose functions Doxygen skips) was not named: $output"
grep -q "Load" <<< "$output" && fail "an overload group with a shared comment was reported: $output"

sed -i -e 's|^    Planted();|    /// Makes one.\n    Planted();|' \
       -e 's|^    int Bare|    /// Now documented.\n    /// @param count  how many.\n    /// @return 1.\n    int Bare|' \
       -e 's|^    /// @return 0.|    /// @param count  how many.\n    /// @return 0.|' \
       -e 's|^int PlantedFunction|/// A planted function.\n/// @param count  how many.\n/// @return 2.\nint PlantedFunction|' \
       -e 's|^namespace PlantedSpace|/// A planted namespace.\nnamespace PlantedSpace|' \
       -e 's|^int Hidden|/// A planted function in it.\n/// @param count  how many.\n/// @return 3.\nint Hidden|' \
       "$TREE/planted.h"
output=$("$CHECK" "$TREE/out" "$TREE/planted.h" 2>&1); status=$?
[ "$status" -eq 0 ] || fail "a documented header failed (status $status): $output"
[ -f "$TREE/out/html/index.html" ] || fail "no index page was written"

finish "planted headers: checked as expected"
