#!/usr/bin/env bash
# The window opens with its exact caption, a 748 x 539 client area, an icon, and the hub drawn on
# white at the world origin.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
caption=$(xdotool getwindowname "$WIN")
expected="          Tolvane    Quenmark          Enter: Stop / Start          ESC to Quit"
[ "$caption" = "$expected" ] || fail "caption is '$caption'"
geometry=$(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "748x539" ] || fail "client area is $geometry"
xprop -id "$WIN" _NET_WM_ICON | grep -q 'Icon (64 x 64)' || fail "no 64x64 window icon"
shot "$WORK/a.png"
[ "$(pixel "$WORK/a.png" 648 266)" = "0000FF" ] || fail "no blue hub at the origin pixel"
[ "$(pixel "$WORK/a.png" 5 5)" = "FFFFFF" ] || fail "background is not white"
kill -0 "$APP_PID" || fail "the program ended by itself"
