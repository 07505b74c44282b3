#!/usr/bin/env bash
# A Wayland desktop that draws the title bars itself (sway, through xdg-decoration): the window
# asks it for one and never loads libdecor's plugin; the desktop's title bar carries the caption,
# runs of spaces kept, and the program's app id; the picture fills the tile the desktop gives the
# window; Esc ends the program with status 0.
source "$(dirname "$0")/lib.sh" "$@"
start_sway
env --default-signal=INT "$APP" 2>"$WORK/app.err" &
APP_PID=$!
# sway gives the window its tile, larger than the window's own size, once it is first shown.
tiled() {
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
  wl_shot "$WORK/first.png"
  [ "$(identify -format '%w' "$WORK/first.png")" -gt 1000 ] &&
    [ "$(count_colour "$WORK/first.png" 0000FF)" -gt 100 ]
}
wait_until "$DEADLINE" tiled ||
  fail "no tiled picture; the client area shows $(identify -format '%wx%h' "$WORK/first.png")"
check_hub "$WORK/first.png" 96
tree=$(swaymsg -t get_tree) || fail "swaymsg failed"
# JSON as sway writes it: each / escaped.
grep -qF "\"name\": \"${CAPTION//\//\\/}\"" <<<"$tree" || fail "no window is named the caption"
grep -qF '"app_id": "drelm-wheel"' <<<"$tree" || fail "no window has the app id drelm-wheel"
! grep -qF '"border": "csd"' <<<"$tree" || fail "the window draws its own title bar"
! grep -q 'libdecor-cairo' "/proc/$APP_PID/maps" || fail "libdecor's plugin is loaded"
no_gl_loaded || fail "a GL library is loaded"
outer_xdotool mousemove 500 400
outer_press Escape
wait_exit
[ "$STATUS" -eq 0 ] || fail "Esc ended with status $STATUS"
exit 0
