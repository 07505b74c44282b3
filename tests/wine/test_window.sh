#!/usr/bin/env bash
# The Windows program under Wine: the exact caption, a 748 x 539 client area, the start-up ticks
# and the hub at the same pixels as in the Linux window; Enter pauses and resumes, other keys
# change nothing, Esc ends with status 0.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_exe
[ "$(xdotool getwindowname "$WIN")" = "$CAPTION" ] || fail "caption is '$(xdotool getwindowname "$WIN")'"
geometry=$(client_size)
[ "$geometry" = "748x539" ] || fail "client area is $geometry"
shot "$WORK/a.png"
check_hub "$WORK/a.png" 96
# The first three ticks, at world x = -63, -31.58 and -0.17, from y = 40: columns 64, 355, 647.
for column in 64 355 647; do
  [ "$(pixel "$WORK/a.png" "$column" 536)" = "000000" ] || fail "no tick at column $column"
done
moving || fail "the picture does not move"
check_pause_and_resume
xdotool key --window "$WIN" Escape
wait_exit
[ "$STATUS" -eq 0 ] || fail "Esc ended with status $STATUS"
exit 0
