#!/usr/bin/env bash
# An ARM build draws Linux x86-64's picture, pixel for pixel: the checksum of the picture after
# passes across more than a whole turn, off-screen, from this machine's build and from the ARM
# build's under qemu (its libm; on arm64 the multiply-adds GCC fuses; on armhf its floating point).
# Usage: test_checksum.sh LINUX_TOOL ARM_BUILD_DIR
source "$(dirname "$0")/../lib/common.sh"
linux=$1 build=$2
passes=(1 100 500 3000 12566 25000 60000)
arm_tool=$build/tests/checksum/drelm-picture-checksum
[ -x "$build/emulate" ] && [ -f "$arm_tool" ] || fail "no $arm_tool: make arm builds it"
expected=$("$linux" "${passes[@]}") || fail "the Linux tool failed"
got=$("$build/emulate" "$arm_tool" "${passes[@]}") || fail "the ARM tool failed under qemu"
[ "$got" = "$expected" ] || fail "$(basename "$build")'s pictures differ from Linux x86-64's:
$(diff <(echo "$expected") <(echo "$got"))"
echo "$(basename "$build"): the same as x86-64 after ${passes[*]} passes"
exit 0
