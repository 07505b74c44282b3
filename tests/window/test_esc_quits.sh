#!/usr/bin/env bash
# Esc ends the program with status 0, while running and while paused.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool key --window "$WIN" Escape
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "Esc ended with status $STATUS"
start_app
xdotool key --window "$WIN" Return
sleep 0.3
xdotool key --window "$WIN" Escape
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "Esc while paused ended with status $STATUS"
[ -s "$WORK/app.err" ] && fail "the program wrote to stderr"
exit 0
