#!/usr/bin/env bash
# The installer under Wine, silent both ways: it puts the program under Program Files, a Start
# menu shortcut and an entry in the installed programs (name, version, publisher, icon), and the
# uninstaller takes all of them away again. While the program runs, neither uninstalling nor
# installing goes on (status 2, nothing changed); installing again into another folder goes where
# the first installation is, so none is left without its entry.
source "$(dirname "$0")/lib.sh" "$@"
SETUP=$3
[ -f "$SETUP" ] || fail "no $SETUP: make windows builds it"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\drelm-wheel'
folder="$WINEPREFIX/drive_c/Program Files/drelm-wheel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tolvane Quenmark.lnk"
# The uninstaller in place (_?=, given the folder's short name: with a space in it, the
# uninstaller runs a copy of itself and tells nothing), so that its status is its own.
uninstall() {
  local short
  short=$(wine winepath -s 'C:\Program Files\drelm-wheel' 2>/dev/null | tr -d '\r')
  wine "$folder/uninstall.exe" /S "_?=$short" >/dev/null 2>&1
}
installed() {
  [ -f "$folder/drelm-wheel.exe" ] && [ -f "$folder/uninstall.exe" ] && [ -f "$shortcut" ] &&
    wine reg query "$key" >/dev/null 2>&1
}
start_xvfb
wine "$SETUP" /S >/dev/null 2>&1 || fail "the installer failed"
wineserver -w
[ -f "$folder/drelm-wheel.exe" ] || fail "no drelm-wheel.exe under Program Files"
[ -f "$folder/uninstall.exe" ] || fail "no uninstaller"
[ -f "$shortcut" ] || fail "no Start menu shortcut"
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName.*Tolvane Quenmark" "DisplayVersion.*1.00" "Publisher.*drelm-wheel" \
  "DisplayIcon.*drelm-wheel.exe"; do
  echo "$entry" | grep -q "$value" || fail "the installed programs' entry has no $value"
done

APP="$folder/drelm-wheel.exe"
start_exe
uninstall
status=$?
[ "$status" -eq 2 ] || fail "uninstalling while the program runs gave status $status"
installed || fail "uninstalling while the program runs removed some of it"
wine "$SETUP" /S >/dev/null 2>&1
status=$?
[ "$status" -eq 2 ] || fail "installing while the program runs gave status $status"
press Escape
wait_exit 10
wineserver -w

wine "$SETUP" /S '/D=C:\Other' >/dev/null 2>&1 || fail "installing again failed"
wineserver -w
[ ! -e "$WINEPREFIX/drive_c/Other" ] || fail "installing again made a second installation"
wine reg query "$key" /v InstallLocation 2>/dev/null | tr -d '\r' |
  grep -qF 'C:\Program Files\drelm-wheel' || fail "installing again moved the entry"

uninstall || fail "the uninstaller failed"
wineserver -w
rm -f "$folder/uninstall.exe"  # run in place, it cannot remove itself
[ ! -e "$folder" ] || rmdir "$folder" 2>/dev/null || fail "left behind: $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the shortcut is left behind"
wine reg query "$key" >/dev/null 2>&1 && fail "the installed programs' entry is left behind"
exit 0
