#!/usr/bin/env bash
# A pause costs no CPU worth measuring, and the animation resumes where it stopped: the cursor
# cross moves on by a fraction of a second's worth of passes, not the pause's. PAUSE_SECONDS
# long (4 in make test; make soak waits a minute).
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool windowsize "$WIN" 1280 640
sleep 0.5
# Where the cursor cross stands, in CROSS; $1 says when, for the failure.
find_cross() {
  shot "$WORK/cross.png"
  CROSS=$(cursor_x "$WORK/cross.png")
  [ -n "$CROSS" ] || fail "no cursor cross $1"
}
press Return
sleep 0.5
find_cross "on the screen"
before=$CROSS
seconds=${PAUSE_SECONDS:-4}
ticks_before=$(cpu_ticks "$APP_PID")
sleep "$seconds"
ticks=$(( $(cpu_ticks "$APP_PID") - ticks_before ))
hz=$(getconf CLK_TCK)
echo "CPU while paused for $seconds s: $ticks ticks of 1/$hz s"
# 0.5 % of the time, and never less than two ticks: a tick is the clock's grain.
allowed=$(( seconds * hz / 200 > 2 ? seconds * hz / 200 : 2 ))
[ "$ticks" -le "$allowed" ] || fail "the pause used $ticks ticks in $seconds s (more than 0.5 %)"
press Return
sleep 0.2
press Return
sleep 0.3
find_cross "after resuming"
after=$CROSS
moved=$(( after - before ))
echo "the cursor moved $moved pixels in about 0.2 s of running"
# 0.2 s is 1000 passes, half a radian, 93 pixels; a wrap of the trace moves it back by 1164.
[ "$moved" -gt 0 ] && [ "$moved" -le 250 ] || [ "$moved" -lt -900 ] ||
  fail "the cursor jumped by $moved pixels"
exit 0
