#!/usr/bin/env bash
# The share of a core the real window costs at 1280 x 640 under a private Xvfb, animating and
# paused, each over 10 seconds. Usage: window_cpu.sh DRELM_WHEEL
source "$(dirname "$0")/../tests/window/lib.sh" "$@"
start_xvfb
start_app
xdotool windowsize "$WIN" 1280 640
sleep 1
hz=$(getconf CLK_TCK)
measure() {
  local before after
  before=$(cpu_ticks)
  sleep 10
  after=$(cpu_ticks)
  awk -v t=$((after - before)) -v hz="$hz" -v what="$1" \
    'BEGIN { printf "window 1280x640 %s: %.1f%% of a core\n", what, 100 * t / (10 * hz) }'
}
measure animating
xdotool key --window "$WIN" Return
sleep 1
measure paused
