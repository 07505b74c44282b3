#!/usr/bin/env bash
# Closing the window through its frame, SIGINT and SIGTERM each end the program with status 0,
# running or paused.
source "$(dirname "$0")/lib.sh" "$@"
CLOSE_WINDOW=$3
start_xvfb
start_app
"$CLOSE_WINDOW" "$WIN"
wait_exit
[ "$STATUS" -eq 0 ] || fail "closing the window ended with status $STATUS"
for signal in INT TERM; do
  for paused in no yes; do
    start_app
    if [ $paused = yes ]; then
      xdotool key --window "$WIN" Return
      wait_still || fail "Enter did not pause the picture"
    fi
    kill -s $signal "$APP_PID"
    wait_exit
    [ "$STATUS" -eq 0 ] || fail "SIG$signal (paused: $paused) ended with status $STATUS"
  done
done
exit 0
