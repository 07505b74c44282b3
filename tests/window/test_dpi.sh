#!/usr/bin/env bash
# An X11 desktop scaled through Xft.dpi: at 192 dots an inch the client area opens at 1496 x 1078
# with the hub at twice the pixels and lines one pixel wide; at 120 it opens at 935 x 674.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb 2000x1400
for case in 192:1496x1078 120:935x674; do
  dpi=${case%%:*}
  echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
  start_app
  check_window_at_dpi "$dpi" "${case#*:}"
done
exit 0
