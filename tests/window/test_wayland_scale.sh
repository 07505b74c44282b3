#!/usr/bin/env bash
# A Wayland desktop at scale 2: the client area has twice the pixels, 1496 x 1078, and the picture
# is drawn at that resolution, its lines one pixel wide, not enlarged from a smaller one.
source "$(dirname "$0")/lib.sh" "$@"
start_weston 2
wl_start_app 1496x1078
outer_xdotool key Return
wait_still || fail "Enter did not pause the picture"
check_hub "$WORK/still.png" 192
outer_xdotool key Escape
wait_exit
[ "$STATUS" -eq 0 ] || fail "Esc ended with status $STATUS"
exit 0
