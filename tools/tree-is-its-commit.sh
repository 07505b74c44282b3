#!/usr/bin/env bash
# Whether the source tree is its commit: no tracked file changed, and no file git does not ignore
# added (such a file could reach the build). Where it is not, says what differs in one line, with
# status 1. The source tarball (no git there) is its commit as it was made.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
[ "$(git -C "$top" rev-parse --show-toplevel 2>/dev/null)" = "$top" ] || exit 0
changes=$(git -C "$top" status --porcelain --untracked-files=all) ||
  { echo "release: git cannot tell whether $top is its commit" >&2; exit 1; }
[ -z "$changes" ] && exit 0
count=$(printf '%s\n' "$changes" | wc -l)
named=$(printf '%s\n' "$changes" | head -3 | awk '{
  state = substr($0, 1, 2); file = substr($0, 4)
  printf "%s%s (%s)", (NR > 1 ? ", " : ""), file, (state == "??" ? "not in git" : "changed") }')
[ "$count" -gt 3 ] && named="$named and $((count - 3)) more"
echo "release: the tree is not commit $(git -C "$top" rev-parse --short HEAD): $named; commit or remove them first" >&2
exit 1
