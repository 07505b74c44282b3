#!/usr/bin/env bash
# Without a display the program says so in one line naming DISPLAY, with status 1; when the
# display goes away under it, or its window is destroyed under it, or memory runs out, it ends
# with one line and status 1, neither hanging nor crashing. Control characters in what a message
# repeats are escaped, and a WAYLAND_DISPLAY that names nothing brings no line of libwayland's. A
# display that cannot be had says why in the system's words (a dead compositor); four file
# descriptors are enough for an X11 window.
source "$(dirname "$0")/lib.sh" "$@"
env -u DISPLAY -u WAYLAND_DISPLAY "$APP" 2>"$WORK/none.err" &
APP_PID=$!
wait_exit
[ "$STATUS" -eq 1 ] || fail "with no display: status $STATUS"
[ "$(wc -l <"$WORK/none.err")" -eq 1 ] || fail "with no display: not one line: $(cat "$WORK/none.err")"
grep -q DISPLAY "$WORK/none.err" || fail "with no display the message does not name DISPLAY"

# --help and --version answer without a display, and start nothing.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$APP" --version)" = "drelm-wheel 1.00" ] ||
  fail "--version does not say drelm-wheel 1.00"
env -u DISPLAY -u WAYLAND_DISPLAY "$APP" --help | grep -q 'Enter' || fail "--help names no keys"

one_line_failure() {  # $1: what was done; the program's stderr is in $WORK/bad.err
  wait_exit
  [ "$STATUS" -eq 1 ] || fail "$1: status $STATUS"
  [ "$(wc -l <"$WORK/bad.err")" -eq 1 ] || fail "$1: not one line: $(cat "$WORK/bad.err")"
}
DISPLAY=:999 "$APP" 2>"$WORK/bad.err" &
APP_PID=$!
one_line_failure "with a display that is not there"
DISPLAY=$':999\nx' "$APP" 2>"$WORK/bad.err" &
APP_PID=$!
one_line_failure "with a newline in DISPLAY"
env -u DISPLAY -u XDG_RUNTIME_DIR WAYLAND_DISPLAY=nonsense "$APP" 2>"$WORK/bad.err" &
APP_PID=$!
one_line_failure "with a WAYLAND_DISPLAY that names nothing"

# A compositor's socket left behind with nobody listening: the line says which display and why.
mkdir -m 700 "$WORK/dead"
/usr/bin/python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' \
  "$WORK/dead/wayland-9"
env -u DISPLAY XDG_RUNTIME_DIR="$WORK/dead" WAYLAND_DISPLAY=wayland-9 "$APP" 2>"$WORK/bad.err" &
APP_PID=$!
one_line_failure "with a dead Wayland socket"
grep -q 'Wayland display WAYLAND_DISPLAY=wayland-9: Connection refused' "$WORK/bad.err" ||
  fail "with a dead Wayland socket the program said: $(cat "$WORK/bad.err")"

start_xvfb
# The canvas at 384 dots an inch, 55 MB, where the program may have no more than 40 in all.
echo "Xft.dpi: 384" | xrdb -nocpp -merge
(ulimit -v 40000; exec "$APP") 2>"$WORK/bad.err" &
APP_PID=$!
one_line_failure "out of memory"
echo "Xft.dpi: 96" | xrdb -nocpp -merge
# On X11 the window needs one descriptor beyond the standard three: its display's connection.
start_app_with_descriptors 4
WIN=$(find_window)
[ -n "$WIN" ] || fail "with four file descriptors, no window: $(cat "$WORK/app.err")"
wait_until "$DEADLINE" picture_shown || fail "with four file descriptors, no picture"
kill "$APP_PID"
wait_exit
env -u XDG_RUNTIME_DIR WAYLAND_DISPLAY=nonsense "$APP" 2>"$WORK/app.err" &
APP_PID=$!
WIN=$(find_window)
[ -n "$WIN" ] || fail "with a WAYLAND_DISPLAY that names nothing, no X11 window"
xdotool windowclose "$WIN" 2>/dev/null
mv "$WORK/app.err" "$WORK/bad.err"
one_line_failure "with its window destroyed under it"
start_app
kill "$XVFB_PID"
XVFB_PID=""
wait_exit
[ "$STATUS" -eq 1 ] || fail "after losing the display: status $STATUS"
[ "$(wc -l <"$WORK/app.err")" -eq 1 ] || fail "after losing the display: not one line: $(cat "$WORK/app.err")"
exit 0
