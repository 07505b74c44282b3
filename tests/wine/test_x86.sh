#!/usr/bin/env bash
# A 32-bit Windows (a 32-bit Wine prefix, made once): the installer puts the 32-bit program in
# place, and it passes the window's tests there (caption and size, hub and ticks, Enter, Esc).
# Where the kernel runs no 32-bit programs there is no 32-bit Wine: it says so and is skipped (77).
# Usage: test_x86.sh EXE32 PREFIX SETUP
here=$(dirname "$0")
source "$here/../lib/common.sh"
prefix=$2
setup=$3
source "$here/wine_env.sh"
wine_runs_32_bit || skip "this machine's kernel runs no 32-bit programs, so Wine runs none"
[ -f "$1" ] && [ -f "$setup" ] || fail "no $1 or $setup: make windows builds them"
if [ ! -f "$prefix/system.reg" ]; then
  rm -rf "$prefix"
  WINEARCH=win32 WINEPREFIX=$prefix DISPLAY= wineboot -i >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
  [ -f "$prefix/system.reg" ] || fail "wineboot made no 32-bit prefix at $prefix"
fi
export WINEPREFIX=$prefix
installed="$prefix/drive_c/Program Files/drelm-wheel/drelm-wheel.exe"
wine "$setup" /S >/dev/null 2>&1 || fail "the installer failed in a 32-bit Windows"
wineserver -w
file "$installed" | grep -q 'PE32 executable.*80386' || fail "the program installed is not the 32-bit one"
cmp -s "$installed" "$1" || fail "the program installed is not the 32-bit build's"
"$here/test_window.sh" "$installed" "$prefix" || exit 1
wine "$prefix/drive_c/Program Files/drelm-wheel/uninstall.exe" /S >/dev/null 2>&1
wineserver -w
exit 0
