#!/usr/bin/env bash
# The window opens with its exact caption, a 748 x 539 client area, an icon, the launcher's class,
# and the hub drawn on white at the world origin; it loads neither SDL nor OpenGL.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
caption=$(xdotool getwindowname "$WIN")
[ "$caption" = "$CAPTION" ] || fail "caption is '$caption'"
geometry=$(client_size)
[ "$geometry" = "748x539" ] || fail "client area is $geometry"
xprop -id "$WIN" _NET_WM_ICON | grep -q 'Icon (64 x 64)' || fail "no 64x64 window icon"
# A dock matches the window to the launcher by its class, the desktop entry's name.
xprop -id "$WIN" WM_CLASS | grep -qF '= "drelm-wheel", "drelm-wheel"' || fail "WM_CLASS is not drelm-wheel"
shot "$WORK/a.png"
# The hub's circles and cross about the origin pixel (648, 266), whatever crosses them.
convert "$WORK/a.png" -crop 60x60+618+236 +repage "$WORK/hub.png"
blue=$(count_colour "$WORK/hub.png" 0000FF)
[ "$blue" -gt 200 ] || fail "only $blue blue pixels of the hub about the origin"
[ "$(pixel "$WORK/a.png" 5 5)" = "FFFFFF" ] || fail "background is not white"
kill -0 "$APP_PID" || fail "the program ended by itself"
no_gl_loaded || fail "the window loaded SDL or OpenGL: $(grep -oE '/[^ ]*(SDL|GL|LLVM|dri)[^ ]*' "/proc/$APP_PID/maps" | sort -u)"
