#!/usr/bin/env bash
# The arm64 program's own window, under qemu in a private X server: its caption, its client area,
# the hub drawn where the x86-64 window draws it, Enter pauses, Esc ends it with status 0.
# Usage: test_window.sh ARM_BUILD_DIR
build=$1
source "$(dirname "$0")/../window/lib.sh"
program=$build/src/drelm-wheel
[ -x "$build/emulate" ] && [ -f "$program" ] || fail "no $program: make arm builds it"
APP=$WORK/drelm-wheel-under-qemu
printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$build/emulate" "$program" >"$APP"
chmod +x "$APP"
start_xvfb
start_app
caption=$(xdotool getwindowname "$WIN")
[ "$caption" = "$CAPTION" ] || fail "caption is '$caption'"
check_window_at_dpi 96 748x539
exit 0
