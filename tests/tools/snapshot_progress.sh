#!/usr/bin/env bash
# A long run of the snapshot tool shows its progress on a terminal (a pseudo-terminal from
# script), and nothing when stderr is not one.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail=0
script -qec "$tool --passes 1500000 --out $dir/p.png" /dev/null | grep -q 'passes, ' ||
  { echo "no progress on a terminal"; fail=1; }
[ -z "$("$tool" --passes 1500000 --out "$dir/p.png" 2>&1)" ] || { echo "progress on a file"; fail=1; }
exit $fail
