#!/usr/bin/env bash
# A window covered by another and uncovered again shows the same picture: it is repainted from
# the picture held in memory.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool key --window "$WIN" Return
sleep 0.3
shot "$WORK/before.png"
xlogo -geometry 700x500+0+0 &
cover=$!
sleep 1
shot "$WORK/covered.png"
kill "$cover"
wait "$cover" 2>/dev/null
same_image "$WORK/before.png" "$WORK/covered.png" && fail "the cover did not cover the window"
sleep 0.5
shot "$WORK/after.png"
same_image "$WORK/before.png" "$WORK/after.png" || fail "the picture was not repainted whole"
kill -0 "$APP_PID" || fail "the program ended"
