#!/usr/bin/env bash
# Whether anything was written into the home folder since the file $1 was made: names what was,
# and fails. HOME_CHECK_IGNORE may name folders under it (relative, space-separated) that other
# programs on the machine write meanwhile.
# Usage: home_untouched.sh STAMP
set -u
stamp=$1
[ -f "$stamp" ] || { echo "home_untouched: no stamp file $stamp" >&2; exit 2; }
prune=()
for folder in ${HOME_CHECK_IGNORE:-}; do
  prune+=(-path "$HOME/$folder" -prune -o)
done
written=$(find "$HOME" "${prune[@]}" ! -type d -newer "$stamp" -print 2>/dev/null | head -20)
if [ -n "$written" ]; then
  echo "written into the home folder ($HOME):"
  sed 's/^/  /' <<<"$written"
  exit 1
fi
echo "nothing written into the home folder ($HOME)"
