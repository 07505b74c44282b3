#!/usr/bin/env bash
# Checks by hand that a release is the same bytes from any clone: clones the commit twice, at
# different paths, and makes the release in each a minute apart, in different time zones and
# with different umasks; then compares the two dist/ folders file by file. Takes about 4 minutes on a quiet machine.
# Usage: tools/compare-releases.sh [COMMIT]   (default HEAD)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$top" rev-parse --verify "${1:-HEAD}^{commit}") ||
  { echo "compare-releases: no commit '${1:-HEAD}'" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build() {  # FOLDER TZ UMASK
  git clone -q "$top" "$work/$1"
  git -C "$work/$1" checkout -q "$commit"
  (cd "$work/$1" && umask "$3" && TZ=$2 make release >"$work/$1.log" 2>&1) ||
    { echo "compare-releases: make release failed in $1: $(tail -3 "$work/$1.log")" >&2; exit 1; }
}
start=$(date +%s)
build first/drelm-wheel UTC 022
sleep 60
build "second/a/much/longer/path/to/it" America/St_Johns 077
if diff -r "$work/first/drelm-wheel/dist" "$work/second/a/much/longer/path/to/it/dist"; then
  echo "the same bytes: $(cd "$work/first/drelm-wheel/dist" && ls | tr '\n' ' ')"
  echo "($(( $(date +%s) - start )) s)"
else
  echo "compare-releases: the two releases differ (diffoscope-minimal shows where)" >&2
  exit 1
fi
