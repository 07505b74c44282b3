#!/usr/bin/env bash
# What `make test` runs, phase by phase, and one summary of every phase at the end. Each phase is
# a command; a phase that runs CTest counts its tests, any other counts as one check.
# Usage: run_all.sh NAME COMMAND [NAME COMMAND ...]
set -u
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
summary=()
total_passed=0
total_failed=0
while [ $# -ge 2 ]; do
  name=$1 command=$2
  shift 2
  echo "== $name"
  bash -c "$command" 2>&1 | tee "$logs/phase.txt"
  status=${PIPESTATUS[0]}
  counts=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$logs/phase.txt" | tail -1)
  if [ -n "$counts" ]; then
    failed=$(echo "$counts" | awk '{print $1}')
    all=$(echo "$counts" | awk '{print $NF}')
  else
    all=1
    failed=$((status != 0))
  fi
  [ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1  # it failed before counting
  passed=$((all - failed))
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  summary+=("$(printf '  %-44s %4d passed, %d failed' "$name" "$passed" "$failed")")
done
echo
echo "make test, every phase:"
printf '%s\n' "${summary[@]}"
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
