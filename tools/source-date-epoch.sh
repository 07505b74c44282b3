#!/usr/bin/env bash
# The time every time stamp of what is built takes: the commit's, in seconds since 1970. In a
# clone, git says it; in the source tarball, cmake/commit-time.txt holds it (git archive wrote it
# there). Prints nothing, with status 1, where neither says.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(git -C "$top" rev-parse --show-toplevel 2>/dev/null)" = "$top" ]; then
  exec git -C "$top" log -1 --format=%ct
fi
time=$(cat "$top/cmake/commit-time.txt" 2>/dev/null)
[[ "$time" =~ ^[0-9]+$ ]] || exit 1
echo "$time"
