#!/usr/bin/env bash
# A minute's pause costs no CPU worth measuring, and the animation resumes where it stopped:
# the cursor cross moves on by a fraction of a second's worth of passes, not a minute's.
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
ticks_before=$(cpu_ticks)
sleep 60
ticks=$(( $(cpu_ticks) - ticks_before ))
hz=$(getconf CLK_TCK)
echo "CPU while paused for 60 s: $ticks ticks of 1/$hz s"
[ "$ticks" -le $(( 60 * hz / 200 )) ] || fail "the pause used $ticks ticks in 60 s (more than 0.5 %)"
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
