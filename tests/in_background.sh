#!/usr/bin/env bash
# Runs a command in the background, its output into a log, holding a lock beside the log for as
# long as it or anything it started runs; with --wait, waits until then. A later step that needs
# what the command makes waits for it, and never runs beside it. A command started at a low
# priority (nice) is raised to the normal one while it is waited for, where that is allowed (as
# root): on a machine busy with other work it would otherwise barely move.
# Usage: in_background.sh LOG COMMAND [ARGUMENT ...] | in_background.sh --wait LOG
set -u
if [ "${1:-}" = --wait ]; then
  [ -f "${2:-}.lock" ] || exit 0
  [ -f "$2.group" ] && renice -n 0 -g "$(cat "$2.group")" >/dev/null 2>&1
  exec flock "$2.lock" true
fi
[ $# -ge 2 ] || { echo "in_background: usage: in_background.sh LOG COMMAND ... | --wait LOG" >&2; exit 2; }
log=$1
shift
mkdir -p "$(dirname "$log")"
exec 9>"$log.lock"
flock 9
# The command inherits the locked descriptor; the lock goes with the last process that holds it.
# It leads a process group of its own (job control), which the wait raises whole; it stays in the
# session, since a session of its own would be scheduled as a peer of the tests, whatever its nice
# (the kernel's autogroups).
set -m
"$@" </dev/null >"$log" 2>&1 &
echo $! >"$log.group"
