#!/usr/bin/env bash
# The share of a core the real window costs, animating and paused, each over 10 seconds, at the
# size it opens and at 1280 x 640, with its resident size: under a private Xvfb, then on a Wayland
# desktop (weston with its software renderer, whose own share is given beside). Beside the
# animating window on X11 at 1280 x 640, over the same seconds, the same passes paced alike with
# no window (PACED, the paced-passes benchmark, when given). Usage: window_cpu.sh DRELM_WHEEL [PACED]
PACED=${2:-}
source "$(dirname "$0")/../tests/window/lib.sh" "$1"
hz=$(getconf CLK_TCK)
share() {  # ticks over 10 s, as a share of a core
  awk -v t="$1" -v hz="$hz" 'BEGIN { printf "%.1f%%", 100 * t / (10 * hz) }'
}
measure() {
  local before after compositor_before="" paced_pid="" line
  if [ -n "$PACED" ] && [ "$1" = "animating on X11 (1280x640)" ]; then
    "$PACED" 10 >"$WORK/paced.txt" &
    paced_pid=$!
  fi
  before=$(cpu_ticks "$APP_PID")
  [ -n "$WESTON_PID" ] && compositor_before=$(cpu_ticks "$WESTON_PID")
  sleep 10
  after=$(cpu_ticks "$APP_PID")
  line="  window $1: $(share $((after - before))) of a core, $(( $(ps -o rss= -p "$APP_PID") / 1024 )) MB resident"
  [ -n "$compositor_before" ] &&
    line+="; weston meanwhile: $(share $(( $(cpu_ticks "$WESTON_PID") - compositor_before )))"
  echo "$line"
  # Beyond its passes: less what 5,000 passes a second cost off-screen, when that is known.
  if [ -n "${OFFSCREEN_PASSES_A_SECOND:-}" ] && [ "$1" = "animating on X11 (1280x640)" ]; then
    awk -v t=$((after - before)) -v hz="$hz" -v rate="$OFFSCREEN_PASSES_A_SECOND" \
      'BEGIN { passes = 100 * 5000 / rate; printf "  of which its 5,000 passes a second off-screen: %.1f%%, the rest: %.1f%%\n", passes, 100 * t / (10 * hz) - passes }'
  fi
  if [ -n "$paced_pid" ]; then
    wait "$paced_pid" || fail "the paced passes failed"
    awk -v t=$((after - before)) -v hz="$hz" -v paced="$(cat "$WORK/paced.txt")" \
      'BEGIN { printf "  the same passes paced alike (60 bursts a second, asleep between), no window: %.1f%%; the window beyond them: %.1f%%\n", paced, 100 * t / (10 * hz) - paced }'
  fi
}
# Animating, then paused, at the size it is; $1 names the window system and size.
animating_and_paused() {
  measure "animating on $1"
  $PRESS Return
  sleep 1
  measure "paused on $1"
  kill "$APP_PID"
  wait "$APP_PID" 2>/dev/null
  APP_PID=""
}

start_xvfb
for size in 748x539 1280x640; do
  start_app
  [ "$size" = 748x539 ] || xdotool windowsize "$WIN" "${size%x*}" "${size#*x}"
  sleep 1
  animating_and_paused "X11 ($size)"
done
stop_processes
XVFB_PID=""

# On a Wayland desktop: an output of 1280 x 672, where a double click on the window's title bar
# maximizes it to 1280 x 640.
for maximize in no yes; do
  WESTON_RENDERER=pixman start_weston 1 "" 1280x672
  wl_start_app 748x539
  if [ "$maximize" = yes ]; then
    wl_point 300 -12
    outer_xdotool click --repeat 2 --delay 80 1
    sleep 1
  fi
  wl_shot "$WORK/shown.png"
  animating_and_paused "Wayland ($(identify -format '%wx%h' "$WORK/shown.png"))"
  stop_processes
  WESTON_PID="" XVFB_PID=""
done
