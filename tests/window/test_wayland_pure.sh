#!/usr/bin/env bash
# A Wayland desktop with no X server at all: the window appears with the picture and Esc ends the
# program with status 0. Too few file descriptors to open the window with, it says so in one line,
# before any library of Wayland's speaks.
source "$(dirname "$0")/lib.sh" "$@"
start_weston 1
[ -z "${DISPLAY:-}" ] || fail "DISPLAY is set"
start_app_with_descriptors 6
wait_exit
[ "$STATUS" -eq 1 ] && [ "$(wc -l <"$WORK/app.err")" -eq 1 ] &&
  grep -q 'Too many open files' "$WORK/app.err" ||
  fail "with six file descriptors: status $STATUS, said: $(cat "$WORK/app.err")"
wl_start_app 748x539
check_hub "$WORK/first.png" 96
outer_xdotool key Escape
wait_exit
[ "$STATUS" -eq 0 ] || fail "Esc ended with status $STATUS"
exit 0
