#!/usr/bin/env bash
# Screens of 30 and 16 bits a pixel, and a 24-bit one without shared memory (as a display on
# another machine is), show the picture as a 24-bit one does: the hub in blue at its place, on
# white, moving, also after the window was made as large as X allows.
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
  # A window as large as X allows: what the canvas covers shows, and the program goes on. The
  # 30-bit screen shows through OpenGL, whose software driver (Mesa's llvmpipe) sizes its buffer
  # by what the server says as it draws, and fails to make one this large: a frame drawn between
  # the server's resize and the program's reading of it would crash it. Paused, the program draws
  # only once it has read the new size.
  if [ "$name" = 30 ]; then
    xdotool key --window "$WIN" Return
    wait_still || fail "$screen: Enter did not pause the picture"
  fi
  xdotool windowsize "$WIN" 32767 32767
  wait_until "$DEADLINE" sized 32767x32767 || fail "$screen: the window is $(client_size)"
  # The program reads the new size with its next events; only its end would show.
  sleep 0.5
  kill -0 "$APP_PID" 2>/dev/null || fail "$screen: a window of 32767 x 32767 ended the program"
  xdotool windowsize "$WIN" 748 539
  wait_until "$DEADLINE" sized 748x539 || fail "$screen: the window is $(client_size)"
  [ "$name" = 30 ] && xdotool key --window "$WIN" Return
  moving || fail "$screen: after the largest window the picture does not move"
  xdotool key --window "$WIN" Escape
  wait_exit
  [ "$STATUS" -eq 0 ] || fail "$screen: Esc ended with status $STATUS"
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
done
exit 0
