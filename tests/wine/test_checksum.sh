#!/usr/bin/env bash
# Both Windows programs draw Linux's picture, pixel for pixel: the checksum of the picture after
# passes across more than a whole turn, off-screen, from the Linux build and from the 64-bit and
# 32-bit Windows builds under Wine (their C runtime's atan, sin and cos; the 32-bit one's floating
# point). The 32-bit one runs where the kernel runs 32-bit programs.
# Usage: test_checksum.sh LINUX_TOOL WINDOWS64_TOOL WINDOWS32_TOOL PREFIX
set -u
linux=$1 windows64=$2 windows32=$3
source "$(dirname "$0")/wine_env.sh"
export WINEPREFIX=$4
passes=(1 500 3000 12566 25000 60000)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in "$linux" "$windows64" "$windows32"; do
  [ -f "$tool" ] || fail "no $tool: make build and make windows build it"
done
expected=$("$linux" "${passes[@]}") || fail "the Linux tool failed"
echo "$expected"
compare() {
  local got
  got=$(wine "$2" "${passes[@]}" 2>/dev/null | tr -d '\r') || fail "the $1 tool failed under Wine"
  [ "$got" = "$expected" ] || fail "the $1 program's pictures differ from Linux's:
$(diff <(echo "$expected") <(echo "$got"))"
  echo "$1: the same"
}
compare "64-bit Windows" "$windows64"
if wine_runs_32_bit; then
  compare "32-bit Windows" "$windows32"
else
  echo "32-bit Windows: not run, this machine's kernel runs no 32-bit programs"
fi
exit 0
