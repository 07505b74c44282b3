#!/usr/bin/env bash
# The window's benchmarks under a private Xvfb: the time to show a changed frame, then the CPU the
# animating and the paused window cost. Usage: window_bench.sh DRELM_WHEEL DRELM_BENCH_WINDOW
source "$(dirname "$0")/../tests/window/lib.sh" "$1"
start_xvfb
"$2" || fail "the frame benchmark failed"
"$(dirname "$0")/window_cpu.sh" "$1"
