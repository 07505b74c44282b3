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
trap 'set_dpi 96; cleanup' EXIT
start_exe
geometry=$(client_size)
[ "$geometry" = "1496x1078" ] || fail "at 192 dpi the client area is $geometry"
xdotool key --window "$WIN" Return
sleep 0.5
shot "$WORK/dpi.png"
check_hub "$WORK/dpi.png" 192
xdotool key --window "$WIN" Escape
wait_exit 10
exit 0
