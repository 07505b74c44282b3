#!/usr/bin/env bash
# A mouse button ends the program with status 0; the wheel is not a button.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool mousemove --window "$WIN" 300 200
xdotool click 4 click 5
moving || fail "the mouse wheel ended the program or stopped the picture"
xdotool click 3
wait_exit
[ "$STATUS" -eq 0 ] || fail "a click ended with status $STATUS"
start_app
xdotool key --window "$WIN" Return
wait_still || fail "Enter did not pause the picture"
xdotool mousemove --window "$WIN" 100 100 click 1
wait_exit
[ "$STATUS" -eq 0 ] || fail "a click while paused ended with status $STATUS"
exit 0
