#!/usr/bin/env bash
# A Wayland desktop with no X server at all: the window appears with the picture and Esc ends the
# program with status 0.
source "$(dirname "$0")/lib.sh" "$@"
start_weston 1
[ -z "${DISPLAY:-}" ] || fail "DISPLAY is set"
wl_start_app 748x539
check_hub "$WORK/first.png" 96
outer_xdotool key Escape
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "Esc ended with status $STATUS"
exit 0
