#!/usr/bin/env bash
# A Wayland compositor that goes away under the program is a failure, not the user's quit: killed
# while the program runs, killed outright while it is paused, or its last output window closed,
# the program says "lost the Wayland display" in one line and ends with status 1.
source "$(dirname "$0")/lib.sh" "$@"
CLOSE_WINDOW=$3
for way in term kill-paused close-output; do
  start_weston 1
  wl_start_app 748x539
  case $way in
    term) kill -TERM "$WESTON_PID" ;;
    kill-paused)
      outer_press Return
      wait_still || fail "Enter did not pause the picture"
      kill -KILL "$WESTON_PID"
      ;;
    close-output)
      output=$(DISPLAY=$OUTER xdotool search --classname '^weston' | head -1)
      [ -n "$output" ] || fail "no output window of weston's"
      DISPLAY=$OUTER "$CLOSE_WINDOW" "$output"
      ;;
  esac
  wait_exit
  [ "$STATUS" -eq 1 ] || fail "$way: status $STATUS"
  [ "$(wc -l <"$WORK/app.err")" -eq 1 ] && grep -q '^drelm-wheel: lost the Wayland display drelm-test: ' \
    "$WORK/app.err" || fail "$way: the program said: $(cat "$WORK/app.err")"
  stop_processes
  WESTON_PID="" XVFB_PID=""
done
exit 0
