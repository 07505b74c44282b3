# Sourced by every real-window test: a private X server, the program in it, and ways to look at
# it and to end it. Usage in a test: source lib.sh PROGRAM [SNAPSHOT]; start_xvfb; start_app; ...
source "$(dirname "${BASH_SOURCE[0]}")/../lib/common.sh"
APP=${1:-}
SNAPSHOT=${2:-}
APP_PID=""
XVFB_PID=""
WESTON_PID=""
SWAY_PID=""
WM_PID=""

stop_processes() {
  if [ -n "$APP_PID" ]; then
    kill -9 "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
  fi
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null && wait "$WESTON_PID" 2>/dev/null
  [ -n "$SWAY_PID" ] && kill "$SWAY_PID" 2>/dev/null && wait "$SWAY_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  return 0
}
at_exit stop_processes

# How a test looks at the window and types into it: the X11 window by default; a Wayland test
# sets these to the output's screenshot and the outer X server's keys.
TAKE_SHOT=shot
PRESS=press

# An X server of our own. $1: the screen's size, $2: its depth in bits, then any more options. It never resets (a
# server resets when its last client leaves, and refuses connections meanwhile: the next run of
# the program would race it), so it keeps its resources (Xft.dpi). The display number is a random
# one well above those servers pick for themselves: a server that is just going away (another
# test's) can take a new one's socket with it when the two share a number.
start_xvfb() {
  local display
  for _ in $(seq 20); do
    display=$((RANDOM % 30000 + 1000))
    [ -e "/tmp/.X$display-lock" ] && continue
    Xvfb ":$display" -screen 0 "${1:-1600x900}x${2:-24}" -noreset -nolisten tcp "${@:3}" \
      2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if xdpyinfo -display ":$display" >/dev/null 2>&1; then
        export DISPLAY=":$display"
        return
      fi
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  done
  fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
}

# The program's window once it shows, within the deadline. xdotool ends on an X error when a
# window it is looking at goes away meanwhile (an earlier run's), so it is asked again until it
# answers.
visible_window() {
  FOUND=$(xdotool search --onlyvisible --name 'Quenmark' 2>/dev/null | head -1)
  [ -n "$FOUND" ]
}
find_window() {
  FOUND=""
  wait_until "$DEADLINE" visible_window
  echo "$FOUND"
}

# Whether the window shows the picture: the hub's blue, which the first pass draws. Leaves the
# screenshot in $WORK/first.png.
picture_shown() {
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended: status $(wait "$APP_PID"; echo $?)"
  grab "$WORK/first.png" && [ "$(count_colour "$WORK/first.png" 0000FF)" -gt 20 ]
}

# Starts the program and waits until its window shows the picture; sets WIN.
start_app() {
  # A background job of a script starts with SIGINT ignored; give the program the default back.
  env --default-signal=INT "$APP" 2>"$WORK/app.err" &
  APP_PID=$!
  WIN=$(find_window)
  [ -n "$WIN" ] || fail "no window appeared"
  wait_until "$DEADLINE" picture_shown || fail "the window shows no picture within $DEADLINE s"
}

# Starts the program in the background with standard input, output and error as its only open
# files and at most $1 of them; its stderr goes to $WORK/app.err. Sets APP_PID.
start_app_with_descriptors() {
  (
    for fd in /proc/$BASHPID/fd/*; do
      fd=${fd##*/}
      [ "$fd" -gt 2 ] && eval "exec $fd>&-"
    done
    ulimit -n "$1"
    exec "$APP"
  ) 2>"$WORK/app.err" &
  APP_PID=$!
}

# Waits for the program to end; sets STATUS (or fails when it does not end within the deadline).
app_ended() {
  ! kill -0 "$APP_PID" 2>/dev/null
}
window_gone() {
  ! xwininfo -id "$WIN" >/dev/null 2>&1
}
wait_exit() {
  wait_until "$DEADLINE" app_ended || fail "the program did not end within $DEADLINE s"
  wait "$APP_PID"
  STATUS=$?
  APP_PID=""
  # The X server takes the window down a moment after the process; the next search must not
  # find it. A key that ended the program may have been left held down (xdotool ends on the
  # error of releasing it onto the vanished window), and it would repeat into the next run.
  if [ -n "${WIN:-}" ] && [ -n "${DISPLAY:-}" ]; then
    wait_until "$DEADLINE" window_gone
    xdotool keyup Escape Return KP_Enter bracketleft Control_L 2>/dev/null
  fi
}

# The client area of window $1 (default WIN), as WxH.
client_size() {
  xwininfo -id "${1:-$WIN}" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}

# Whether the client area is $1 (WxH): a resize asked of the server is waited for with it.
sized() {
  [ "$(client_size)" = "$1" ]
}

# A screenshot of the window's client area as PNG: grab says whether there is one, shot fails
# without.
grab() {
  xwd -silent -id "$WIN" 2>/dev/null | convert xwd:- png:"$1" 2>/dev/null
}
shot() {
  grab "$1" || fail "no screenshot"
}

# The colour of one pixel of a PNG, as six hex digits RRGGBB.
pixel() {
  convert "$1" -format '%[hex:p{'"$2"','"$3"'}]' info: | cut -c1-6
}

same_image() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}

cover_shown() {
  [ -n "$(xdotool search --onlyvisible --name '^xlogo$' 2>/dev/null)" ]
}
# Covers the window with another until the cover shows, then takes it away again.
cover_window() {
  xlogo -geometry "$1" 2>/dev/null &
  local cover=$!
  wait_until "$DEADLINE" cover_shown
  kill $cover
  wait $cover 2>/dev/null
}

# The x of the first black pixel in the cursor cross's row (world y = 36), or nothing.
cursor_x() {
  convert "$1" -crop 4000x1+0+506 +repage txt:- | awk -F'[,:]' '/#000000/ {print $1; exit}'
}

# Keys typed into the X11 window.
press() {
  xdotool key --window "$WIN" "$@"
}

# Whether the picture moves: a screenshot within the deadline differs from the one before.
moving() {
  $TAKE_SHOT "$WORK/moving1.png"
  wait_until "$DEADLINE" differs_from "$WORK/moving1.png"
}
differs_from() {
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
  $TAKE_SHOT "$WORK/moving2.png" && ! same_image "$1" "$WORK/moving2.png"
}

# Waits until the picture stands still (two screenshots half a second apart the same), as it does
# once a pause has taken effect; the last screenshot is $WORK/still.png.
wait_still() {
  wait_until "$DEADLINE" stands_still
}
stands_still() {
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
  $TAKE_SHOT "$WORK/still1.png"
  sleep 0.5
  $TAKE_SHOT "$WORK/still.png"
  same_image "$WORK/still1.png" "$WORK/still.png"
}

# Whether the picture stays as $1 shows it while nothing should change it: a while must pass to
# tell.
stays_as() {
  sleep 0.7
  $TAKE_SHOT "$WORK/stays.png"
  same_image "$1" "$WORK/stays.png"
}

# Enter pauses: the picture stands still and stays so while keys that are neither Enter nor Esc
# come; Enter again ($1, default Return) makes it move.
check_pause_and_resume() {
  $PRESS Return
  wait_still || fail "Enter did not pause the picture"
  cp "$WORK/still.png" "$WORK/paused.png"
  $PRESS space a Left F1 Tab BackSpace
  stays_as "$WORK/paused.png" || fail "the picture moved while paused"
  $PRESS "${1:-Return}"
  wait_until "$DEADLINE" differs_from "$WORK/paused.png" || fail "${1:-Return} did not resume"
}

# The window opened at $1 dots an inch: its client area is $2 (WxH), the hub is drawn at that
# resolution with one-pixel lines, and Esc ends the program with status 0.
check_window_at_dpi() {
  local geometry
  geometry=$(client_size)
  [ "$geometry" = "$2" ] || fail "at $1 dpi the client area is $geometry"
  press Return
  wait_still || fail "Enter did not pause the picture at $1 dpi"
  check_hub "$WORK/still.png" "$1"
  press Escape
  wait_exit
  [ "$STATUS" -eq 0 ] || fail "Esc at $1 dpi ended with status $STATUS"
}

# The share, in percent, of a PNG's ink (anything but white) that lies in 2 x 2 blocks of ink: a
# few where one-pixel lines cross or run side by side; nearly all in a picture enlarged from a
# smaller one.
thick_share() {
  local mask="-fuzz 10% -fill black -opaque white -fill white +opaque black"
  local ink thick
  ink=$(convert "$1" $mask -format '%[fx:int(mean*w*h+0.5)]' info:)
  thick=$(convert "$1" $mask -morphology Open Rectangle:2x2+0+0 -format '%[fx:int(mean*w*h+0.5)]' info:)
  echo $(( 100 * thick / (ink > 0 ? ink : 1) ))
}

# How many of the 8 points the hub's two circles pass through are blue in $1, a PNG of the client
# area, at $2 dots an inch (fractions too): the pixels 10 columns (at 96 dpi) either side of the
# centre at the rows the circle rule gives (a compositor may be a level off).
hub_points() {
  awk -v dpi="$2" 'BEGIN {
    cx = int(70 * 139 * dpi / 1440); cy = int(40 * 100 * dpi / 1440); k = int(10 * dpi / 96)
    for (radius = 2; radius <= 3; radius++) {
      r = radius * 139 * dpi / 1440; m = int(sqrt(r * r - k * k) + 0.5)
      print cx - k, cy - m; print cx + k, cy - m; print cx - k, cy + m; print cx + k, cy + m
    } }' | while read -r x y; do pixel "$1" "$x" "$y"; done | grep -cE '^0[0-9]0[01]F[EF]$'
}

# The hub at a scale: $1 a PNG of the client area, $2 the dots an inch. Its circles are blue where
# they should be, and its lines are one pixel wide.
check_hub() {
  local png=$1 dpi=$2
  local found
  found=$(hub_points "$png" "$dpi")
  [ "$found" -ge 6 ] || fail "only $found of 8 points of the hub's circles are blue at $dpi dpi"
  awk -v dpi="$dpi" 'BEGIN { exit !(dpi > 96) }' || return 0
  local cx cy
  cx=$(awk -v dpi="$dpi" 'BEGIN { print int(70 * 139 * dpi / 1440) }')
  cy=$(awk -v dpi="$dpi" 'BEGIN { print int(40 * 100 * dpi / 1440) }')
  convert "$png" -crop 160x160+$((cx - 80))+$((cy - 80)) +repage "$WORK/hub.png"
  local thick
  thick=$(thick_share "$WORK/hub.png")
  [ "$thick" -lt 50 ] || fail "$thick% of the ink about the hub lies in 2x2 blocks: lines are not one pixel wide"
}

# A Wayland desktop: weston nested in a private X server, on its own runtime folder, drawing with
# OpenGL, or with its software renderer when WESTON_RENDERER=pixman. $1: the output's scale; $2: "xwayland" for an X server beside it, as a desktop session has; $3: the
# output's size (default 1400x900). Sets
# WAYLAND_DISPLAY, and DISPLAY to XWayland's or to nothing; keys and the pointer go through the
# outer X server (OUTER).
start_weston() {
  start_xvfb 1600x1000
  OUTER=$DISPLAY
  # A runtime folder of its own for each compositor, so no socket of an earlier one is there.
  XDG_RUNTIME_DIR=$(mktemp -d "$WORK/runtime.XXXXXX")
  export XDG_RUNTIME_DIR
  # No panel, and windows shown at once, not faded or zoomed in.
  printf '[shell]\npanel-position=none\nanimation=none\nclose-animation=none\nstartup-animation=none\nfocus-animation=none\n' \
    >"$WORK/weston.ini"
  weston --config="$WORK/weston.ini" --backend=x11-backend.so --socket=drelm-test --idle-time=0 \
    --debug --width="$(echo "${3:-1400x900}" | cut -dx -f1)" \
    --height="$(echo "${3:-1400x900}" | cut -dx -f2)" --scale="${1:-1}" ${2:+--xwayland} \
    ${WESTON_RENDERER:+--use-$WESTON_RENDERER} >"$WORK/weston.log" 2>&1 &
  WESTON_PID=$!
  wait_until "$DEADLINE" test -S "$XDG_RUNTIME_DIR/drelm-test" ||
    fail "weston did not start: $(tail -3 "$WORK/weston.log")"
  export WAYLAND_DISPLAY=drelm-test
  unset DISPLAY
  TAKE_SHOT=wl_shot
  PRESS=outer_press
  if [ -n "${2:-}" ]; then
    wait_until "$DEADLINE" grep -q 'xserver listening on display' "$WORK/weston.log"
    DISPLAY=$(grep -o 'xserver listening on display :[0-9]*' "$WORK/weston.log" | grep -o ':[0-9]*')
    [ -n "$DISPLAY" ] || fail "weston started no XWayland"
    export DISPLAY
  fi
}

# A Wayland desktop that draws the windows' title bars itself (it offers xdg-decoration): sway,
# nested in a private X server, drawing in software, in a runtime folder outside the work folder.
# sway will not run as root: under root it runs as nobody, and the folder is nobody's (the work
# folder only its owner may enter).
# Sets WAYLAND_DISPLAY and SWAYSOCK; keys and the pointer go through the outer X server (OUTER).
start_sway() {
  start_xvfb 1280x800
  OUTER=$DISPLAY
  XDG_RUNTIME_DIR=$(mktemp -d /tmp/drelm-sway.XXXXXX)
  at_exit "rm -rf $XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
  local as=()
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$XDG_RUNTIME_DIR"
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  echo 'output * bg #808080 solid_color' >"$XDG_RUNTIME_DIR/config"
  HOME=$XDG_RUNTIME_DIR XDG_CONFIG_HOME=$XDG_RUNTIME_DIR XDG_CACHE_HOME=$XDG_RUNTIME_DIR \
    WLR_BACKENDS=x11 WLR_RENDERER=pixman \
    "${as[@]}" sway -c "$XDG_RUNTIME_DIR/config" >"$WORK/sway.log" 2>&1 &
  SWAY_PID=$!
  wait_until "$DEADLINE" sway_listening || fail "sway did not start: $(tail -3 "$WORK/sway.log")"
  WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -1)")
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)
  export WAYLAND_DISPLAY SWAYSOCK
  unset DISPLAY
  TAKE_SHOT=wl_shot
  PRESS=outer_press
}
sway_listening() {
  kill -0 "$SWAY_PID" 2>/dev/null || fail "sway ended: $(tail -3 "$WORK/sway.log")"
  ls "$XDG_RUNTIME_DIR"/wayland-? "$XDG_RUNTIME_DIR"/sway-ipc.*.sock >/dev/null 2>&1
}

# A screenshot of the whole Wayland output, cut to the window's client area: the white rectangle,
# found where white survives thinning by 3 pixels (the title's white letters do not), then
# widened again by those 3 pixels. sway's output is read from the outer X server.
wl_shot() {
  mkdir -p "$WORK/shots"
  rm -f "$WORK/shots"/*.png
  if [ -n "$SWAY_PID" ]; then
    import -display "$OUTER" -window root "$WORK/shots/output.png" || fail "import failed"
  else
    (cd "$WORK/shots" && weston-screenshooter) || fail "weston-screenshooter failed"
  fi
  local whole box
  whole=$(ls "$WORK/shots"/*.png 2>/dev/null | head -1)
  [ -n "$whole" ] || fail "no screenshot of the output"
  box=$(convert "$whole" -fill black +opaque white -morphology Erode Square:3 -format "%@" info: 2>/dev/null |
    awk -F'[x+]' '{printf "%dx%d+%d+%d", $1 + 6, $2 + 6, $3 - 3, $4 - 3}')
  convert "$whole" -crop "$box" +repage "$1"
  WL_LEFT=$(echo "$box" | cut -d+ -f2)
  WL_TOP=$(echo "$box" | cut -d+ -f3)
}

# Brings the pointer to ($1, $2) in the client area (negative y: the title bar above it) at
# output scale $3. It first leaves weston's window and comes back in a few steps, as a hand moves
# it: weston takes no motion before the pointer has entered its window.
wl_point() {
  local x=$(( (WL_LEFT + $1) / ${3:-1} )) y=$(( (WL_TOP + $2) / ${3:-1} ))
  outer_xdotool mousemove 1550 950
  sleep 0.1
  for step in 3 2 1 0; do
    outer_xdotool mousemove $(( x - 20 * step )) $(( y - 20 * step ))
    sleep 0.1
  done
}

# Clicks button $1 in the client area at output scale $2.
wl_click() {
  wl_point 300 200 "${2:-1}"
  outer_xdotool click "$1"
}

# Starts the program on the Wayland desktop; waits until its client area of $1 (WxH) shows the
# hub in blue.
# APP_ENV may hold variables for the program alone.
wl_start_app() {
  env --default-signal=INT ${APP_ENV:-} "$APP" 2>"$WORK/app.err" &
  APP_PID=$!
  wait_until "$DEADLINE" wl_window_shown "$1" ||
    fail "no $1 window appeared; the output shows $(identify -format '%wx%h' "$WORK/first.png")"
}
wl_window_shown() {
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
  wl_shot "$WORK/first.png"
  [ "$(identify -format '%wx%h' "$WORK/first.png")" = "$1" ] &&
    [ "$(count_colour "$WORK/first.png" 0000FF)" -gt 100 ]
}

# Whether the running program has loaded a library it must not: SDL, or OpenGL's (EGL, GL, LLVM,
# Mesa's drivers). It talks to X11 and Wayland itself and draws its own pixels.
no_gl_loaded() {
  ! grep -qE 'libSDL2|libGL|libEGL|libLLVM|_dri\.so|libgallium|libglapi' "/proc/$APP_PID/maps"
}

# Keys and clicks as a person gives them, through the outer X server's seat.
outer_xdotool() {
  DISPLAY=$OUTER xdotool "$@"
}
outer_press() {
  outer_xdotool key "$@"
}
