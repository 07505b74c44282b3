#!/usr/bin/env bash
# A long run of the snapshot tool shows its progress on a terminal (a pseudo-terminal from
# script), and nothing when stderr is not one.
source "$(dirname "$0")/../lib/common.sh"
tool=$1
dir=$WORK
script -qec "$tool --passes 800000 --out $dir/p.png" /dev/null | grep -q 'passes, ' ||
  problem "no progress on a terminal"
[ -z "$("$tool" --passes 800000 --out "$dir/p.png" 2>&1)" ] || problem "progress on a file"
finish
