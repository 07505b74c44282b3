#!/usr/bin/env bash
# A window covered by another and uncovered again shows the same picture: it is repainted from
# the picture held in memory.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool key --window "$WIN" Return
wait_still || fail "Enter did not pause the picture"
cp "$WORK/still.png" "$WORK/before.png"
xlogo -geometry 700x500+0+0 2>/dev/null &
cover=$!
wait_until "$DEADLINE" differs_from "$WORK/before.png" || fail "the cover did not cover the window"
kill "$cover"
wait "$cover" 2>/dev/null
shows_before() {
  shot "$WORK/after.png"
  same_image "$WORK/before.png" "$WORK/after.png"
}
wait_until "$DEADLINE" shows_before || fail "the picture was not repainted whole"
kill -0 "$APP_PID" || fail "the program ended"
