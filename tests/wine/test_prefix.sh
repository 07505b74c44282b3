#!/usr/bin/env bash
# A private Wine prefix for this build's Windows tests, made once (wineboot -i).
set -u
prefix=$1
[ -f "$prefix/system.reg" ] && exit 0
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
source "$(dirname "$0")/wine_env.sh"
WINEPREFIX=$prefix DISPLAY= wineboot -i >/dev/null 2>&1
WINEPREFIX=$prefix wineserver -w
[ -f "$prefix/system.reg" ] || { echo "FAIL: wineboot made no prefix at $prefix" >&2; exit 1; }
