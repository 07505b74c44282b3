#!/usr/bin/env bash
# Runs a command in the background, its output into a log, holding a lock beside the log for as
# long as it or anything it started runs; with --wait, waits until then. A later step that needs
# what the command makes waits for it, and never runs beside it.
# Usage: in_background.sh LOG COMMAND [ARGUMENT ...] | in_background.sh --wait LOG
set -u
if [ "${1:-}" = --wait ]; then
  [ -f "${2:-}.lock" ] || exit 0
  exec flock "$2.lock" true
fi
[ $# -ge 2 ] || { echo "in_background: usage: in_background.sh LOG COMMAND ... | --wait LOG" >&2; exit 2; }
log=$1
shift
mkdir -p "$(dirname "$log")"
exec 9>"$log.lock"
flock 9
# The command inherits the locked descriptor; the lock goes with the last process that holds it.
"$@" </dev/null >"$log" 2>&1 &
