#!/usr/bin/env bash
# The share of a core the real window costs at 1280 x 640, animating and paused, each over 10
# seconds: under a private Xvfb, then on a Wayland desktop. Beside the animating window on X11,
# over the same seconds, the same passes paced alike with no window (PACED, the paced-passes
# benchmark, when given). Usage: window_cpu.sh DRELM_WHEEL [PACED]
PACED=${2:-}
source "$(dirname "$0")/../tests/window/lib.sh" "$1"
start_xvfb
start_app
xdotool windowsize "$WIN" 1280 640
sleep 1
hz=$(getconf CLK_TCK)
measure() {
  local before after paced_pid=""
  echo "  measuring the window $1 ..."
  if [ -n "$PACED" ] && [ "${1%on X11*}" = "animating " ]; then
    "$PACED" 10 >"$WORK/paced.txt" &
    paced_pid=$!
  fi
  before=$(cpu_ticks "$APP_PID")
  sleep 10
  after=$(cpu_ticks "$APP_PID")
  awk -v t=$((after - before)) -v hz="$hz" -v what="$1" \
    'BEGIN { printf "  window %s: %.1f%% of a core\n", what, 100 * t / (10 * hz) }'
  # Beyond its passes: less what 5,000 passes a second cost off-screen, when that is known.
  if [ -n "${OFFSCREEN_PASSES_A_SECOND:-}" ] && [ "${1#animating}" != "$1" ]; then
    awk -v t=$((after - before)) -v hz="$hz" -v rate="$OFFSCREEN_PASSES_A_SECOND" \
      'BEGIN { passes = 100 * 5000 / rate; printf "  of which its 5,000 passes a second off-screen: %.1f%%, the rest: %.1f%%\n", passes, 100 * t / (10 * hz) - passes }'
  fi
  if [ -n "$paced_pid" ]; then
    wait "$paced_pid" || fail "the paced passes failed"
    awk -v t=$((after - before)) -v hz="$hz" -v paced="$(cat "$WORK/paced.txt")" \
      'BEGIN { printf "  the same passes paced alike (60 bursts a second, asleep between), no window: %.1f%%; the window beyond them: %.1f%%\n", paced, 100 * t / (10 * hz) - paced }'
  fi
}
measure "animating on X11 (1280x640)"
xdotool key --window "$WIN" Return
sleep 1
measure "paused on X11 (1280x640)"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null
kill "$XVFB_PID"
XVFB_PID=""

# The same on a Wayland desktop (weston on the software OpenGL of this machine): an output of
# 1280 x 672 and the window maximized by a double click on its title bar give 1280 x 640.
start_weston 1 "" 1280x672
wl_start_app 748x539
# A double click on the title bar maximizes the window.
wl_point 300 -12
outer_xdotool click --repeat 2 --delay 80 1
sleep 1
wl_shot "$WORK/maximized.png"
size=$(identify -format '%wx%h' "$WORK/maximized.png")
measure "animating on Wayland ($size)"
outer_xdotool key Return
sleep 1
measure "paused on Wayland ($size)"
