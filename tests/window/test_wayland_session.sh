#!/usr/bin/env bash
# A Wayland desktop session, with XWayland beside it as GNOME and KDE start one: the window is a
# native Wayland one with the exact caption and the launcher's app_id, loading neither SDL nor
# OpenGL; the picture shows and moves, Enter pauses and resumes it, and a click ends the program
# with status 0.
source "$(dirname "$0")/lib.sh" "$@"
start_weston 1 xwayland
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY beside WAYLAND_DISPLAY"
APP_ENV=WAYLAND_DEBUG=1 wl_start_app 748x539
grep -qF "set_title(\"$CAPTION\")" "$WORK/app.err" || fail "no Wayland title '$CAPTION'"
grep -qF 'set_app_id("drelm-wheel")' "$WORK/app.err" || fail "the app_id is not drelm-wheel"
check_hub "$WORK/first.png" 96
no_gl_loaded || fail "the window loaded SDL or OpenGL"

moving || fail "the picture does not move"
check_pause_and_resume

wl_click 1
wait_exit
[ "$STATUS" -eq 0 ] || fail "a click ended with status $STATUS"
exit 0
