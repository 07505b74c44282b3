#!/usr/bin/env bash
# The window's benchmarks under a private Xvfb: the time to show a changed frame, start-up to the
# first frame on screen on X11 and on Wayland, each beside a minimal program of its own (Xlib; a
# wl_shm buffer in an xdg-shell window), the resident memory at each scale, then the CPU the
# animating and the paused window cost. With
# BESIDE naming another build of the program (the last release's, say), its start-up, memory and
# CPU are measured in the same run, beside this one's.
# Usage: [BESIDE=OTHER_DRELM_WHEEL] window_bench.sh DRELM_WHEEL BENCH_FOLDER
source "$(dirname "$0")/../tests/window/lib.sh" "$1"
BENCH=$2
OURS=$APP
PROGRAMS=("$APP")
[ -n "${BESIDE:-}" ] && PROGRAMS+=("$BESIDE")
label() {  # the name a program is reported by
  if [ "$1" = "$OURS" ]; then echo "this build"; else echo "beside: $1"; fi
}

start_xvfb
echo "The time to show a changed frame in a real window under Xvfb (Google Benchmark):"
"$BENCH/drelm-bench-window" --benchmark_color=false 2>&1 | grep -v 'Library was built as DEBUG' ||
  fail "the frame benchmark failed"

echo "Start-up, from exec to the hub on screen (median of 9):"
for program in "${PROGRAMS[@]}" "$BENCH/drelm-bench-minimal-window"; do
  echo "  X11, $(label "$program"): $("$BENCH/drelm-bench-first-frame" "$program" 9)" ||
    fail "the start-up benchmark failed"
done
stop_processes
XVFB_PID=""
# At the highest scale, 384 dots an inch, on a screen the window does not fit.
start_xvfb 3000x1700
echo "Xft.dpi: 384" | xrdb -nocpp -merge
for program in "${PROGRAMS[@]}"; do
  echo "  X11 at 384 dpi, $(label "$program"): $("$BENCH/drelm-bench-first-frame" "$program" 9 \
    --dpi 384)" || fail "the start-up benchmark at 384 dpi failed"
done
stop_processes
XVFB_PID=""
# The start-up of each program named after $1 and $2 on a Wayland desktop: $1 says which, $2 is the
# X window its output shows in.
wayland_start_ups() {
  local desktop=$1 output=$2 program
  shift 2
  for program in "$@"; do
    echo "  Wayland ($desktop), $(label "$program"): $(DISPLAY=$OUTER \
      "$BENCH/drelm-bench-first-frame" "$program" 9 --inside "$output")" ||
      fail "the Wayland start-up benchmark under $desktop failed"
  done
}
WESTON_RENDERER=pixman start_weston 1 "" 1280x672
wayland_start_ups "weston, pixman" "$(DISPLAY=$OUTER xdotool search --classname '^weston' | head -1)" \
  "${PROGRAMS[@]}" "$BENCH/drelm-bench-minimal-wayland-window"
stop_processes
WESTON_PID="" XVFB_PID=""
# Where the desktop draws the title bar, so no libdecor. sway's output is the outer server's only
# window. The minimal client is left out: it keeps its own size, and sway waits 200 ms for it to
# take the tile it gives it before showing it.
start_sway
wayland_start_ups "sway, pixman, its own title bar" \
  "$(DISPLAY=$OUTER xwininfo -root -children | awk '$1 ~ /^0x/ { print $1; exit }')" "${PROGRAMS[@]}"
stop_processes
SWAY_PID="" XVFB_PID=""

# Resident memory once the window has run 5 s: in all; beside it, the canvas as large as it would
# be were all of it written (the whole picture at the scale, a byte a pixel), and the buffers it
# shares with the compositor.
megabytes() { awk -v kb="$1" 'BEGIN { printf "%.1f", kb * 1024 / 1e6 }'; }
resident() {  # $1: the window system and scale; $2: the scale
  sleep 5
  local rss buffers canvas
  rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$APP_PID/status")
  buffers=$(awk '/^[0-9a-f]+-[0-9a-f]+ .*(memfd:drelm-wheel|SYSV)/ { ours = 1; next }
                 /^[0-9a-f]+-[0-9a-f]+ / { ours = 0 }
                 ours && /^Rss:/ { kb += $2 } END { print kb + 0 }' "/proc/$APP_PID/smaps")
  canvas=$(awk -v s="$2" 'BEGIN { print 2400 * s * 1440 * s / 1024 }')
  echo "  $1: $(megabytes "$rss") MB resident, of which the shared buffers $(megabytes "$buffers");" \
    "the canvas written whole would be $(megabytes "${canvas%.*}")"
}
echo "Resident memory after 5 s of running:"
for program in "${PROGRAMS[@]}"; do
  APP=$program
  echo " $(label "$program"):"
  for scale in 1 2 4; do
    start_xvfb 3000x1700
    echo "Xft.dpi: $((96 * scale))" | xrdb -nocpp -merge
    start_app
    resident "X11 at $((96 * scale)) dpi" "$scale"
    stop_processes
    APP_PID="" XVFB_PID=""
  done
  for scale in 1 2 3; do
    WESTON_RENDERER=pixman start_weston "$scale"
    wl_start_app "$((748 * scale))x$((539 * scale))"
    resident "Wayland at scale $scale" "$scale"
    stop_processes
    APP_PID="" WESTON_PID="" XVFB_PID=""
  done
done

echo "The CPU the window costs, 10 s for each figure (under Xvfb, then on a Wayland desktop, weston with --use-pixman):"
for program in "${PROGRAMS[@]}"; do
  echo " $(label "$program"):"
  "$(dirname "$0")/window_cpu.sh" "$program" "$BENCH/drelm-bench-paced"
done
