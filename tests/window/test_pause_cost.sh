#!/usr/bin/env bash
# A pause costs no CPU worth measuring, and the animation resumes where it stopped: the cursor
# cross moves on by a fraction of a second's worth of passes, not the pause's. PAUSE_SECONDS
# long (4 in make test; make soak waits a minute).
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool windowsize "$WIN" 1280 640
sleep 0.5
xdotool key --window "$WIN" Return
sleep 0.5
shot "$WORK/paused.png"
before=$(cursor_x "$WORK/paused.png")
[ -n "$before" ] || fail "no cursor cross on the screen"
seconds=${PAUSE_SECONDS:-4}
ticks_before=$(cpu_ticks)
sleep "$seconds"
ticks=$(( $(cpu_ticks) - ticks_before ))
hz=$(getconf CLK_TCK)
echo "CPU while paused for $seconds s: $ticks ticks of 1/$hz s"
# 0.5 % of the time, and never less than two ticks: a tick is the clock's grain.
allowed=$(( seconds * hz / 200 > 2 ? seconds * hz / 200 : 2 ))
[ "$ticks" -le "$allowed" ] || fail "the pause used $ticks ticks in $seconds s (more than 0.5 %)"
xdotool key --window "$WIN" Return
sleep 0.2
xdotool key --window "$WIN" Return
sleep 0.3
shot "$WORK/resumed.png"
after=$(cursor_x "$WORK/resumed.png")
[ -n "$after" ] || fail "no cursor cross after resuming"
moved=$(( after - before ))
echo "the cursor moved $moved pixels in about 0.2 s of running"
# 0.2 s is 1000 passes, half a radian, 93 pixels; a wrap of the trace moves it back by 1164.
[ "$moved" -gt 0 ] && [ "$moved" -le 250 ] || [ "$moved" -lt -900 ] ||
  fail "the cursor jumped by $moved pixels"
exit 0
