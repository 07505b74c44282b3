#!/usr/bin/env bash
# The picture is what it has always been: its checksum after passes across more than a whole turn
# equals the one checked in beside this script (a change to the drawing that moves one pixel shows
# here, whatever else it passes).
# Usage: test_checksum.sh CHECKSUM_TOOL
source "$(dirname "$0")/../lib/common.sh"
expected="$(dirname "$0")/expected.txt"
got=$("$1" $(cut -d' ' -f1 "$expected")) || fail "the checksum tool failed"
[ "$got" = "$(cat "$expected")" ] || fail "the picture differs from the one checked in:
$(diff "$expected" <(echo "$got"))"
exit 0
