#!/usr/bin/env bash
# Under Wine: a click, the frame's close request and Ctrl+[ (which types Esc) each end the
# program with status 0; paused, it uses under 1 % of a core.
source "$(dirname "$0")/lib.sh" "$@"
CLOSE_WINDOW=$3
start_xvfb
start_exe
xdotool key --window "$WIN" Return
wait_still || fail "Enter did not pause the picture"
pid=$(exe_pid)
[ -n "$pid" ] || fail "no drelm-wheel.exe process"
hz=$(getconf CLK_TCK)
before=$(cpu_ticks "$pid")
sleep 3
ticks=$(( $(cpu_ticks "$pid") - before ))
[ "$ticks" -le $(( 3 * hz / 100 )) ] || fail "paused, it used $ticks ticks of 1/$hz s in 3 s"
xdotool mousemove --window "$WIN" 300 200 click 1
wait_exit
[ "$STATUS" -eq 0 ] || fail "a click ended with status $STATUS"
start_exe
"$CLOSE_WINDOW" "$WIN" || fail "could not ask the window to close"
wait_exit
[ "$STATUS" -eq 0 ] || fail "the close request ended with status $STATUS"
start_exe
xdotool key --window "$WIN" ctrl+bracketleft 2>/dev/null
wait_exit
[ "$STATUS" -eq 0 ] || fail "Ctrl+[ ended with status $STATUS"
exit 0
