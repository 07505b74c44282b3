#!/usr/bin/env bash
# Esc ends the program with status 0, while running and while paused; so does Ctrl+[, which types
# Esc. With no session bus, nothing the program starts (a D-Bus daemon) outlives it.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
unset DBUS_SESSION_BUS_ADDRESS
buses_before=$(pgrep -d, '^dbus-')
start_app
xdotool key --window "$WIN" Escape
wait_exit
[ "$STATUS" -eq 0 ] || fail "Esc ended with status $STATUS"
start_app
xdotool key --window "$WIN" Return
wait_still || fail "Enter did not pause the picture"
xdotool key --window "$WIN" Escape
wait_exit
[ "$STATUS" -eq 0 ] || fail "Esc while paused ended with status $STATUS"
[ -s "$WORK/app.err" ] && fail "the program wrote to stderr"
start_app
xdotool key --window "$WIN" ctrl+bracketleft 2>/dev/null
wait_exit
[ "$STATUS" -eq 0 ] || fail "Ctrl+[ ended with status $STATUS"
sleep 0.3
buses_after=$(pgrep -d, '^dbus-')
[ "$buses_after" = "$buses_before" ] || fail "D-Bus processes outlived the program: $buses_after"
exit 0
