#!/usr/bin/env bash
# Under Wine at 192 dots an inch (HKCU\Control Panel\Desktop\LogPixels) the client area opens at
# 1496 x 1078 and the hub is drawn at that resolution.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb 2000x1400
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
set_dpi 192
at_exit 'set_dpi 96'
start_exe
check_window_at_dpi 192 1496x1078
exit 0
