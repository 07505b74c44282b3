#!/usr/bin/env bash
# A program stopped on a Wayland desktop while the compositor floods it with events, until the
# compositor gives up on it, says it lost the display, in one line and with status 1, once it goes
# on: it neither spins invisibly nor ignores signals.
source "$(dirname "$0")/lib.sh" "$@"
start_weston 1
wl_start_app 748x539
wl_point 300 200
kill -STOP "$APP_PID"
moves=()
for i in $(seq 1500); do
  moves+=(mousemove $((WL_LEFT + 100 + i % 400)) $((WL_TOP + 100 + i % 300)))
done
outer_xdotool "${moves[@]}"
sleep 0.5
kill -CONT "$APP_PID"
wait_exit
[ "$STATUS" -eq 1 ] || fail "after the stall: status $STATUS"
[ "$(wc -l <"$WORK/app.err")" -eq 1 ] && grep -q '^drelm-wheel: lost the Wayland display ' \
  "$WORK/app.err" || fail "after the stall the program said: $(cat "$WORK/app.err")"
exit 0
