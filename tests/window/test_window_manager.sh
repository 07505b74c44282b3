#!/usr/bin/env bash
# Under a real window manager (openbox): maximizing shows more of the picture, minimizing and
# restoring leave it whole and moving, and the frame's close (Alt+F4) ends the program with
# status 0.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb 1600x1000
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
managing() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
wait_until "$DEADLINE" managing || fail "openbox did not start: $(tail -3 "$WORK/openbox.log")"
# openbox says it manages the screen before it takes windows: one mapped meanwhile is neither
# framed nor shown, ever (seen: the program's window mapped 27 ms after openbox started, and a
# probe window as well). So probe windows are mapped, a fresh one each second, until openbox frames
# one (gives it its frame's extents): then it takes windows.
PROBE_PID=""
at_exit 'kill "$PROBE_PID" 2>/dev/null'
probe_framed() {
  local id
  for id in $(xdotool search --onlyvisible --class '^xlogo$' 2>/dev/null); do
    xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' && return 0
  done
  return 1
}
openbox_takes_windows() {
  [ -n "$PROBE_PID" ] && kill "$PROBE_PID" 2>/dev/null && wait "$PROBE_PID" 2>/dev/null
  xlogo -geometry 60x60 2>/dev/null &
  PROBE_PID=$!
  wait_until 1 probe_framed
}
wait_until "$DEADLINE" openbox_takes_windows ||
  fail "openbox frames no window: $(tail -3 "$WORK/openbox.log")"
kill "$PROBE_PID"
wait "$PROBE_PID" 2>/dev/null
PROBE_PID=""
start_app
map_state() {
  xwininfo -id "$WIN" | awk '/Map State:/ {print $3}'
}
in_state() {
  [ "$(map_state)" = "$1" ]
}
# The picture whole: the fourth tick, beyond the first right edge, at pixel column 938, the hub,
# and white about them (openbox draws its frame's animation where a window is minimized or
# restored, over a black background, until the window's own pixels show).
whole_picture_shown() {
  grab "$WORK/$1.png" && [ "$(pixel "$WORK/$1.png" 938 545)" = "000000" ] &&
    [ "$(pixel "$WORK/$1.png" 5 5)" = "FFFFFF" ] && [ "$(hub_points "$WORK/$1.png" 96)" -ge 6 ]
}

wmctrl -i -r "$WIN" -b add,maximized_vert,maximized_horz || fail "wmctrl could not maximize"
wide() {
  [ "$(xwininfo -id "$WIN" | awk '/Width:/ {print $2}')" -gt 1200 ]
}
wait_until "$DEADLINE" wide || fail "maximized, the client area is only $(client_size)"
wait_until "$DEADLINE" whole_picture_shown max || fail "maximized, no tick at (938, 545)"

xdotool windowminimize "$WIN"
wait_until "$DEADLINE" in_state IsUnMapped || fail "minimized, the window is $(map_state)"
kill -0 "$APP_PID" || fail "the program ended while minimized"
xdotool windowactivate "$WIN"
wait_until "$DEADLINE" in_state IsViewable || fail "restored, the window is $(map_state)"
wait_until "$DEADLINE" whole_picture_shown restored ||
  fail "restored, the picture is not whole: the tick at (938, 545), the hub or the background is gone"
check_hub "$WORK/restored.png" 96
moving || fail "restored, the picture does not move"

xdotool key alt+F4
wait_exit
[ "$STATUS" -eq 0 ] || fail "the frame's close ended with status $STATUS"
exit 0
