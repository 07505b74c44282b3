#!/usr/bin/env bash
# Enter pauses: the picture stays still. A second Enter resumes: it moves again. Keys that are
# not Enter or Esc change nothing.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
shot "$WORK/run1.png"
sleep 0.3
shot "$WORK/run2.png"
same_image "$WORK/run1.png" "$WORK/run2.png" && fail "the picture does not move while running"
xdotool key --window "$WIN" Return
sleep 0.3
shot "$WORK/paused1.png"
xdotool key --window "$WIN" space a Left F1 Tab BackSpace
sleep 0.7
shot "$WORK/paused2.png"
same_image "$WORK/paused1.png" "$WORK/paused2.png" || fail "the picture moved while paused"
xdotool key --window "$WIN" KP_Enter
sleep 0.3
shot "$WORK/resumed.png"
same_image "$WORK/paused2.png" "$WORK/resumed.png" && fail "keypad Enter did not resume"
kill -0 "$APP_PID" || fail "the program ended"
