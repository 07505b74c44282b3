#!/usr/bin/env bash
# The installer under Wine, silent both ways: it puts the program under Program Files, a Start
# menu shortcut and an entry in the installed programs (name, version, publisher, icon), and the
# uninstaller takes all of them away again.
source "$(dirname "$0")/lib.sh" "$@"
SETUP=$3
[ -f "$SETUP" ] || fail "no $SETUP: make windows builds it"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\drelm-wheel'
folder="$WINEPREFIX/drive_c/Program Files/drelm-wheel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tolvane Quenmark.lnk"
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
# In place (_?=), so that the uninstaller's own copy does not outlive the wait.
wine "$folder/uninstall.exe" /S "_?=C:\\Program Files\\drelm-wheel" >/dev/null 2>&1 ||
  fail "the uninstaller failed"
wineserver -w
rm -f "$folder/uninstall.exe"  # run in place, it cannot remove itself
[ ! -e "$folder" ] || rmdir "$folder" 2>/dev/null || fail "left behind: $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the shortcut is left behind"
wine reg query "$key" >/dev/null 2>&1 && fail "the installed programs' entry is left behind"
exit 0
