#!/usr/bin/env bash
# Without a display the program says so in one line naming DISPLAY, with status 1; when the
# display goes away under it, it ends with one line and status 1, neither hanging nor crashing.
source "$(dirname "$0")/lib.sh" "$@"
env -u DISPLAY -u WAYLAND_DISPLAY "$APP" 2>"$WORK/none.err" &
APP_PID=$!
wait_exit 5
[ "$STATUS" -eq 1 ] || fail "with no display: status $STATUS"
[ "$(wc -l <"$WORK/none.err")" -eq 1 ] || fail "with no display: not one line: $(cat "$WORK/none.err")"
grep -q DISPLAY "$WORK/none.err" || fail "with no display the message does not name DISPLAY"

DISPLAY=:999 "$APP" 2>"$WORK/bad.err" &
APP_PID=$!
wait_exit 5
[ "$STATUS" -eq 1 ] || fail "with a display that is not there: status $STATUS"
[ "$(wc -l <"$WORK/bad.err")" -eq 1 ] || fail "with a bad display: not one line"

start_xvfb
start_app
kill "$XVFB_PID"
XVFB_PID=""
wait_exit 5
[ "$STATUS" -eq 1 ] || fail "after losing the display: status $STATUS"
[ "$(wc -l <"$WORK/app.err")" -eq 1 ] || fail "after losing the display: not one line: $(cat "$WORK/app.err")"
exit 0
