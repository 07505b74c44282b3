#!/usr/bin/env bash
# A window enlarged after start-up to 1280 x 640 shows the ticks and the curve drawn beyond its
# first edges: the picture was drawn there all along.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
xdotool windowsize "$WIN" 1280 640
wait_until "$DEADLINE" sized 1280x640 || fail "the window is $(client_size) after resizing"
# The fourth tick, at world x = 31.25, from y = 40 to 55: pixel column 938, rows 533 to 633; and
# the curve below the first bottom edge, red pixels in rows 540 and lower, once the passes have
# drawn enough of it.
RED=0
drawn_beyond() {
  shot "$WORK/big.png"
  for row in 545 580 620; do
    [ "$(pixel "$WORK/big.png" 938 $row)" = "000000" ] || return 1
  done
  convert "$WORK/big.png" -crop 1280x100+0+540 +repage "$WORK/below.png"
  RED=$(count_colour "$WORK/below.png" FF0000)
  [ "$RED" -gt 100 ]
}
wait_until "$DEADLINE" drawn_beyond ||
  fail "no tick at column 938 or only $RED red pixels of the curve below row 540"
kill -0 "$APP_PID" || fail "the program ended"
