# Sourced by every real-window test: a private X server, the program in it, and ways to look at
# it and to end it. Usage in a test: source lib.sh "$@"; start_xvfb; start_app; ...
set -u
APP=$1
SNAPSHOT=${2:-}
WORK=$(mktemp -d)
APP_PID=""
XVFB_PID=""

cleanup() {
  if [ -n "$APP_PID" ]; then
    kill -9 "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
  fi
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$WORK/app.err" ] && sed 's/^/  app stderr: /' "$WORK/app.err" >&2
  exit 1
}

# An X server on a display number it picks itself, so no other server's windows get our keys.
start_xvfb() {
  Xvfb -displayfd 9 -screen 0 "${1:-1600x900}x24" -nolisten tcp 9>"$WORK/display" \
    2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
  done
  [ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  export DISPLAY=":$(cat "$WORK/display")"
}

# Starts the program and waits for its window to show; sets WIN.
start_app() {
  # A background job of a script starts with SIGINT ignored; give the program the default back.
  env --default-signal=INT "$APP" 2>"$WORK/app.err" &
  APP_PID=$!
  WIN=$(timeout 10 xdotool search --sync --onlyvisible --name 'Quenmark' 2>/dev/null | head -1)
  [ -n "$WIN" ] || fail "no window appeared"
  sleep 0.5  # the first frame may not be on screen when the window maps
}

# Waits up to $1 seconds for the program to end; sets STATUS (or fails when it does not end).
wait_exit() {
  for _ in $(seq $(( ${1:-5} * 10 ))); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$APP_PID" 2>/dev/null && fail "the program did not end within ${1:-5} s"
  wait "$APP_PID"
  STATUS=$?
  APP_PID=""
}

# A screenshot of the window's client area as PNG.
shot() {
  xwd -silent -id "$WIN" | convert xwd:- png:"$1" || fail "no screenshot"
}

# The colour of one pixel of a PNG, as six hex digits RRGGBB.
pixel() {
  convert "$1" -format '%[hex:p{'"$2"','"$3"'}]' info: | cut -c1-6
}

same_image() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}

# CPU time the program has used, in clock ticks.
cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$APP_PID/stat"
}

# Covers the window with another for a while, then takes the cover away again.
cover_window() {
  xlogo -geometry "$1" &
  local cover=$!
  sleep "$2"
  kill $cover
  wait $cover 2>/dev/null
}

# The x of the first black pixel in the cursor cross's row (world y = 36), or nothing.
cursor_x() {
  convert "$1" -crop 4000x1+0+506 +repage txt:- | awk -F'[,:]' '/#000000/ {print $1; exit}'
}

# Whether the picture moves: two screenshots some time apart differ.
moving() {
  shot "$WORK/moving1.png"
  sleep "${1:-0.4}"
  shot "$WORK/moving2.png"
  ! same_image "$WORK/moving1.png" "$WORK/moving2.png"
}
