#!/usr/bin/env bash
# An X11 desktop scaled through Xft.dpi: at 192 dots an inch the client area opens at 1496 x 1078
# with the hub at twice the pixels and lines one pixel wide; at 120.5 (fractions are honoured) at
# 939 x 677. Beyond the scales the program draws at, the nearest one holds: 384.5 draws at 384, on
# a screen the window does not fit, whose upper left shows the upper left of the window; 30
# draws at 48.
source "$(dirname "$0")/lib.sh" "$@"
for case in 2000x1400:192:1496x1078 2000x1400:120.5:939x677 3000x1700:384.5:2992x2156 \
  2000x1400:30:374x270; do
  IFS=: read -r screen dpi size <<<"$case"
  start_xvfb "$screen"
  echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
  start_app
  if [ "$dpi" = 384.5 ]; then
    corner=$(xwininfo -id "$WIN" | awk '/Absolute upper-left [XY]/ {printf "%s ", $4}')
    [ "$corner" = "0 0 " ] || fail "the window too large for the screen opens at $corner"
  fi
  drawn=$(awk -v dpi="$dpi" 'BEGIN { print (dpi > 384 ? 384 : (dpi < 48 ? 48 : dpi)) }')
  check_window_at_dpi "$drawn" "$size"
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
done
exit 0
