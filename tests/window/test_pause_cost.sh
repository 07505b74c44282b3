#!/usr/bin/env bash
# A pause costs no CPU worth measuring, and the animation resumes where it stopped: the cursor
# cross moves on by a fraction of a second's worth of passes, not the pause's. PAUSE_SECONDS
# long (4 in make test; make soak waits a minute).
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool windowsize "$WIN" 1280 640
wait_until "$DEADLINE" sized 1280x640 || fail "the window is $(client_size), not 1280x640"
# Once the cursor cross is on the screen, pauses and finds where it stands when the picture is
# still, in CROSS; $1 says when, for the failure.
cross_shown() {
  shot "$WORK/cross.png"
  [ -n "$(cursor_x "$WORK/cross.png")" ]
}
pause_and_find_cross() {
  wait_until "$DEADLINE" cross_shown || fail "no cursor cross $1"
  press Return
  wait_still || fail "Enter did not pause the picture $1"
  CROSS=$(cursor_x "$WORK/still.png")
  [ -n "$CROSS" ] || fail "no cursor cross in the paused picture $1"
}
pause_and_find_cross "on the screen"
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
# Runs about 0.2 s between the two Enters, however long sending them takes on a busy machine.
start_ms=$(($(date +%s%N) / 1000000))
press Return
sleep 0.2
press Return
ran_ms=$(($(date +%s%N) / 1000000 - start_ms))
wait_still || fail "Enter did not pause the picture after resuming"
CROSS=$(cursor_x "$WORK/still.png")
[ -n "$CROSS" ] || fail "no cursor cross after resuming"
after=$CROSS
moved=$(( after - before ))
echo "the cursor moved $moved pixels in at most $ran_ms ms of running"
# A second of running is 5000 passes, 2.5 radians, 465 pixels: the pause's seconds would move it
# far more than the time between the Enters (and a frame) allows. A wrap of the trace moves it
# back by 1164.
allowed=$(( 465 * (ran_ms + 100) / 1000 ))
[ "$moved" -gt 0 ] && [ "$moved" -le "$allowed" ] || [ "$moved" -lt -900 ] ||
  fail "the cursor jumped by $moved pixels (at most $allowed in $ran_ms ms)"
exit 0
