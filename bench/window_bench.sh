#!/usr/bin/env bash
# The window's benchmarks under a private Xvfb: the time to show a changed frame, start-up to the
# first frame on screen, then the CPU the animating and the paused window cost.
# Usage: window_bench.sh DRELM_WHEEL BENCH_FOLDER
source "$(dirname "$0")/../tests/window/lib.sh" "$1"
start_xvfb
echo "The time to show a changed frame in a real window under Xvfb (Google Benchmark):"
"$2/drelm-bench-window" --benchmark_color=false 2>&1 | grep -v 'Library was built as DEBUG' ||
  fail "the frame benchmark failed"
echo "Start-up, from exec to the hub on screen, five times:"
"$2/drelm-bench-first-frame" "$1" 5 || fail "the start-up benchmark failed"
echo "The CPU the window costs, 10 s for each figure (under Xvfb, then on a Wayland desktop, weston with --use-pixman):"
"$(dirname "$0")/window_cpu.sh" "$1" "$2/drelm-bench-paced"
