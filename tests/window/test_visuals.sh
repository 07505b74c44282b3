#!/usr/bin/env bash
# Screens of 30 and 16 bits a pixel show the picture as a 24-bit one does: the hub in blue at its
# place, on white, moving.
source "$(dirname "$0")/lib.sh" "$@"
for depth in 30 16; do
  start_xvfb 1600x900 "$depth"
  start_app
  shot "$WORK/depth$depth.png"
  check_hub "$WORK/depth$depth.png" 96
  [ "$(pixel "$WORK/depth$depth.png" 5 5)" = "FFFFFF" ] || fail "at $depth bits the background is not white"
  moving || fail "at $depth bits the picture does not move"
  xdotool key --window "$WIN" Escape
  wait_exit 5
  [ "$STATUS" -eq 0 ] || fail "Esc at $depth bits ended with status $STATUS"
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
done
exit 0
