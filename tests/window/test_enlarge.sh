#!/usr/bin/env bash
# A window enlarged after start-up to 1280 x 640 shows the ticks and the curve drawn beyond its
# first edges: the picture was drawn there all along.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
sleep 1
xdotool windowsize "$WIN" 1280 640
sleep 1
geometry=$(client_size)
[ "$geometry" = "1280x640" ] || fail "the window is $geometry after resizing"
xdotool key --window "$WIN" Return
sleep 0.3
shot "$WORK/big.png"
# The fourth tick, at world x = 31.25, from y = 40 to 55: pixel column 938, rows 533 to 633.
for row in 545 580 620; do
  [ "$(pixel "$WORK/big.png" 938 $row)" = "000000" ] || fail "no tick at (938, $row)"
done
# The curve below the first bottom edge: red pixels in rows 540 and lower.
convert "$WORK/big.png" -crop 1280x100+0+540 +repage "$WORK/below.png"
red=$(count_colour "$WORK/below.png" FF0000)
[ "$red" -gt 100 ] || fail "only $red red pixels of the curve below row 540"
kill -0 "$APP_PID" || fail "the program ended"
