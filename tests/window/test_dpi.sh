#!/usr/bin/env bash
# An X11 desktop scaled through Xft.dpi: at 192 dots an inch the client area opens at 1496 x 1078
# with the hub at twice the pixels and lines one pixel wide; at 120.5 (fractions are honoured) at
# 939 x 677. Beyond the scales the program draws at, the nearest one holds: 384.5 draws at 384, on
# a screen the window does not fit, whose upper left shows the upper left of the window; 30
# draws at 48. $4 says which Xft.dpi: 192, 120.5, 384.5 or 30.
# Usage: test_dpi.sh PROGRAM SNAPSHOT CLOSE_WINDOW XFT_DPI
source "$(dirname "$0")/lib.sh" "$@"
case ${4:-} in
  192) screen=2000x1400 size=1496x1078 ;;
  120.5) screen=2000x1400 size=939x677 ;;
  384.5) screen=3000x1700 size=2992x2156 ;;
  30) screen=2000x1400 size=374x270 ;;
  *) fail "no case '${4:-}': say 192, 120.5, 384.5 or 30" ;;
esac
dpi=$4
start_xvfb "$screen"
echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
start_app
if [ "$dpi" = 384.5 ]; then
  corner=$(xwininfo -id "$WIN" | awk '/Absolute upper-left [XY]/ {printf "%s ", $4}')
  [ "$corner" = "0 0 " ] || fail "the window too large for the screen opens at $corner"
fi
drawn=$(awk -v dpi="$dpi" 'BEGIN { print (dpi > 384 ? 384 : (dpi < 48 ? 48 : dpi)) }')
check_window_at_dpi "$drawn" "$size"
exit 0
