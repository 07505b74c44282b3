#!/usr/bin/env bash
# Under Wine at 192 dots an inch (HKCU\Control Panel\Desktop\LogPixels) the client area opens at
# 1496 x 1078 and the hub is drawn at that resolution. At 480 (the 500 % setting, beyond the
# scales the program draws at) the picture is drawn at 384, 2992 x 2156, in a frame sized with
# 480's metrics. $4 says which: 192 or 480.
# Usage: test_dpi.sh EXE PREFIX CLOSE_WINDOW DPI
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb 3200x2400
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
at_exit 'set_dpi 96'
case ${4:-} in
  192) set_dpi 192 && start_exe && check_window_at_dpi 192 1496x1078 ;;
  480) set_dpi 480 && start_exe && check_window_at_dpi 384 2992x2156 ;;
  *) fail "no case '${4:-}': say 192 or 480" ;;
esac
exit 0
