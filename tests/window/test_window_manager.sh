#!/usr/bin/env bash
# Under a real window manager (openbox): maximizing shows more of the picture, minimizing and
# restoring leave it whole and moving, and the frame's close (Alt+F4) ends the program with
# status 0.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb 1600x1000
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
start_app
map_state() {
  xwininfo -id "$WIN" | awk '/Map State:/ {print $3}'
}

wmctrl -i -r "$WIN" -b add,maximized_vert,maximized_horz || fail "wmctrl could not maximize"
sleep 1
width=$(xwininfo -id "$WIN" | awk '/Width:/ {print $2}')
[ "$width" -gt 1200 ] || fail "maximized, the client area is only $width wide"
shot "$WORK/max.png"
# The fourth tick, beyond the first right edge, at pixel column 938.
[ "$(pixel "$WORK/max.png" 938 545)" = "000000" ] || fail "maximized, no tick at (938, 545)"

xdotool windowminimize "$WIN"
sleep 0.5
[ "$(map_state)" = "IsUnMapped" ] || fail "minimized, the window is $(map_state)"
kill -0 "$APP_PID" || fail "the program ended while minimized"
xdotool windowactivate "$WIN"
sleep 0.5
[ "$(map_state)" = "IsViewable" ] || fail "restored, the window is $(map_state)"
shot "$WORK/restored.png"
check_hub "$WORK/restored.png" 96
[ "$(pixel "$WORK/restored.png" 938 545)" = "000000" ] || fail "restored, the tick at (938, 545) is gone"
moving || fail "restored, the picture does not move"

xdotool key alt+F4
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "the frame's close ended with status $STATUS"
exit 0
