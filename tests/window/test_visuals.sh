#!/usr/bin/env bash
# Screens of 30 and 16 bits a pixel, and a 24-bit one without shared memory (as a display on
# another machine is), show the picture as a 24-bit one does: the hub in blue at its place, on
# white, moving.
source "$(dirname "$0")/lib.sh" "$@"
for screen in "30" "16" "24 -extension MIT-SHM"; do
  read -r -a options <<<"$screen"
  name="${screen// /}"
  start_xvfb 1600x900 "${options[@]}"
  start_app
  shot "$WORK/$name.png"
  check_hub "$WORK/$name.png" 96
  [ "$(pixel "$WORK/$name.png" 5 5)" = "FFFFFF" ] || fail "$screen: the background is not white"
  moving || fail "$screen: the picture does not move"
  xdotool key --window "$WIN" Escape
  wait_exit 5
  [ "$STATUS" -eq 0 ] || fail "$screen: Esc ended with status $STATUS"
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
done
exit 0
