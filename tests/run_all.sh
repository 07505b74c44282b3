#!/usr/bin/env bash
# What `make test` runs, phase by phase, and one summary of every phase at the end: its tests
# passed, failed and skipped (each skipped test named with its reason), and its time. Each phase
# is a command; a phase that runs CTest counts its tests, any other counts as one check. When the
# first phase (the set-up and the build) fails, no other runs.
# Usage: run_all.sh NAME COMMAND [NAME COMMAND ...]
set -u
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
# A test that cannot run here writes "name: reason" into this file (tests/lib/common.sh: skip).
export DRELM_SKIPPED="$logs/skipped.txt"
: >"$DRELM_SKIPPED"
summary=()
skipped_tests=()
total_passed=0
total_failed=0
total_skipped=0
while [ $# -ge 2 ]; do
  name=$1 command=$2
  shift 2
  echo "== $name"
  started=$(date +%s)
  bash -c "$command" 2>&1 | tee "$logs/phase.txt"
  status=${PIPESTATUS[0]}
  seconds=$(($(date +%s) - started))
  counts=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$logs/phase.txt" | tail -1)
  # CTest lists what did not run as "  NUMBER - NAME (Skipped)", and counts it as passed.
  mapfile -t skips < <(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (Skipped)$/\1/p' "$logs/phase.txt")
  if [ -n "$counts" ]; then
    failed=$(echo "$counts" | awk '{print $1}')
    all=$(echo "$counts" | awk '{print $NF}')
  else
    all=1
    failed=$((status != 0))
  fi
  [ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1  # it failed before counting
  skipped=${#skips[@]}
  passed=$((all - failed - skipped))
  for test in "${skips[@]}"; do
    reason=$(sed -n "s/^$test: //p" "$DRELM_SKIPPED" | head -1)
    skipped_tests+=("  $test: ${reason:-it gave no reason}")
  done
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  total_skipped=$((total_skipped + skipped))
  summary+=("$(printf '  %-44s %4d passed, %d failed, %d skipped  %3d:%02d' "$name" "$passed" \
    "$failed" "$skipped" $((seconds / 60)) $((seconds % 60)))")
  [ ${#summary[@]} -eq 1 ] && [ "$failed" -gt 0 ] && break
done
echo
echo "make test, every phase (its time in minutes and seconds):"
printf '%s\n' "${summary[@]}"
if [ "$total_skipped" -gt 0 ]; then
  echo "skipped, and why:"
  printf '%s\n' "${skipped_tests[@]}"
fi
echo "$total_passed passed, $total_failed failed, $total_skipped skipped"
[ "$total_failed" -eq 0 ]
