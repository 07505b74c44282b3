#!/usr/bin/env bash
# The installer under Wine (a 64-bit prefix), silent both ways. A folder too long, one that names
# a file or one that cannot be made changes nothing: a non-zero status, and no entry, shortcut or
# folder. For the current user alone (/CurrentUser) it installs under %LOCALAPPDATA%\Programs
# with the user's own shortcut and entry, and uninstalls from there. For every user (the default)
# it puts the 64-bit program under Program Files, a Start menu shortcut and an entry in the
# installed programs (name, version, publisher, icon, size), and the uninstaller takes all of them
# away again. While the program runs, or another installer does, neither uninstalling nor
# installing goes on (status 2, nothing changed); installing again into another folder goes where
# the first installation is, so none is left without its entry, and installing again for the
# others (/AllUsers over the current user's, /CurrentUser over every user's) is refused (status 2,
# nothing changed). Each in a part of its own: $5 is "folders" (the folders it refuses), "user"
# (for the current user), "beside" (beside another installer), "machine" (for every user) or
# "running" (while the program runs).
# Usage: test_installer.sh EXE PREFIX SETUP SETUP64 PART
source "$(dirname "$0")/lib.sh" "$@"
PART=${5:-}
# The installer, a 32-bit program; where the kernel runs no 32-bit programs, and so Wine none,
# the same installer built as a 64-bit one.
SETUP=$3
if ! wine_runs_32_bit; then
  SETUP=$4
  echo "this machine runs no 32-bit programs: installing with the 64-bit build of the installer"
fi
[ -f "$SETUP" ] || fail "no $SETUP: make windows builds it"
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\drelm-wheel'
folder="$WINEPREFIX/drive_c/Program Files/drelm-wheel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tolvane Quenmark.lnk"
user="$WINEPREFIX/drive_c/users/$(id -un)/AppData"
user_folder="$user/Local/Programs/drelm-wheel"
user_shortcut="$user/Roaming/Microsoft/Windows/Start Menu/Programs/Tolvane Quenmark.lnk"
# The entry in the installed programs of every user (HKLM) or of the current one (HKCU), read in
# the registry's 64-bit view as they list it, into ENTRY: empty where reg says there is none. Any
# other answer is Wine's failure, and ends the test saying what Wine said, never taken for no
# entry.
read_entry() {
  local status
  ENTRY=$(wine reg query "$1\\$key" /reg:64 2>"$WORK/reg.err")
  status=$?
  ENTRY=${ENTRY//$'\r'/}
  [ "$status" -eq 0 ] && return
  if [ "$status" -eq 1 ] && [ "$ENTRY" = "reg: Unable to find the specified registry key" ]; then
    ENTRY=""
    return
  fi
  fail "reg query of $1 gave status $status: $ENTRY $(grep -E 'wine(server)?:|err:' "$WORK/reg.err" |
    tail -3 | tr '\n' ' ')"
}
# The uninstaller in place (_?=, given the folder's short name: with a space in it, the
# uninstaller runs a copy of itself and tells nothing), so that its status is its own.
# Each name is asked of Wine until it answers (a wineserver that is just ending may not).
uninstall() {
  local short long
  wine_path() {
    NAME=$(wine winepath "$1" "$2" 2>/dev/null | tr -d '\r')
    [ -n "$NAME" ]
  }
  wait_until "$DEADLINE" wine_path -s "$1" || fail "Wine gives no short name of $1"
  short=$NAME
  wait_until "$DEADLINE" wine_path -u "$1" || fail "Wine gives no Unix name of $1"
  long=$NAME
  wine "$long/uninstall.exe" /S "_?=$short" >/dev/null 2>&1
}
installed() {
  [ -f "$folder/drelm-wheel.exe" ] && [ -f "$folder/uninstall.exe" ] && [ -f "$shortcut" ] &&
    read_entry HKLM && [ -n "$ENTRY" ]
}
nothing_installed() {
  read_entry HKLM
  local machine=$ENTRY
  read_entry HKCU
  [ -z "$machine$ENTRY" ] || fail "$1: an entry in the installed programs"
  [ ! -e "$shortcut" ] && [ ! -e "$user_shortcut" ] || fail "$1: a Start menu shortcut"
  [ ! -e "$folder" ] && [ ! -e "$user_folder" ] || fail "$1: a program folder"
}
start_xvfb
# Whatever an earlier run that failed half-way left in the prefix.
for root in HKLM HKCU; do wine reg delete "$root\\$key" /reg:64 /f >/dev/null 2>&1; done
rm -rf "$folder" "$user_folder" "$shortcut" "$user_shortcut" "$WINEPREFIX/drive_c/afile"

folders() {
  # Folders that cannot hold the program.
  touch "$WINEPREFIX/drive_c/afile"
  long="C:\\$(printf 'z%.0s' {1..256})"
  for bad in "$long" 'C:\afile' 'C:\afile\below'; do
    wine "$SETUP" /S "/D=$bad" >/dev/null 2>&1 && fail "installing into ${bad:0:20}... succeeded"
    wineserver -w
    nothing_installed "installing into ${bad:0:20}..."
    [ ! -e "$WINEPREFIX/drive_c/$(printf 'z%.0s' {1..256})" ] || fail "the long folder was made"
  done
}

user() {
  # For the current user alone, and away again.
  wine "$SETUP" /S /CurrentUser >/dev/null 2>&1 || fail "installing for the current user failed"
  wineserver -w
  [ -f "$user_folder/drelm-wheel.exe" ] || fail "no drelm-wheel.exe under %LOCALAPPDATA%\\Programs"
  [ -f "$user_shortcut" ] || fail "no Start menu shortcut of the user's"
  read_entry HKCU
  grep -q 'InstallLocation.*AppData\\Local\\Programs\\drelm-wheel' <<<"$ENTRY" ||
    fail "no entry of the user's: $ENTRY"
  read_entry HKLM
  [ -z "$ENTRY" ] || fail "installing for the current user made an entry for every user"
  wine "$SETUP" /S /AllUsers >/dev/null 2>&1
  status=$?
  wineserver -w
  [ "$status" -eq 2 ] || fail "/AllUsers over the current user's installation gave status $status"
  read_entry HKLM
  [ -z "$ENTRY" ] && [ ! -e "$folder" ] && [ -f "$user_folder/drelm-wheel.exe" ] ||
    fail "/AllUsers over the current user's installation changed something"
  uninstall 'C:\users\'"$(id -un)"'\AppData\Local\Programs\drelm-wheel' ||
    fail "uninstalling for the current user failed"
  wineserver -w
  rm -f "$user_folder/uninstall.exe" && rmdir "$user_folder" 2>/dev/null
  nothing_installed "uninstalled for the current user"
}

beside() {
  # While another installer runs (one waiting for its user), a second one refuses.
  wine "$SETUP" >/dev/null 2>&1 &
  local first=$!
  installer_shown() {
    [ -n "$(xdotool search --onlyvisible --name 'Tolvane Quenmark' 2>/dev/null)" ]
  }
  wait_until "$DEADLINE" installer_shown || fail "the installer shows no window"
  wine "$SETUP" /S >/dev/null 2>&1
  status=$?
  [ "$status" -eq 2 ] || fail "an installer beside another gave status $status"
  wineserver -k
  wait "$first" 2>/dev/null
  nothing_installed "an installer beside another"
}

# For every user, silently, and away again.
install_for_every_user() {
  wine "$SETUP" /S >/dev/null 2>&1 || fail "the installer failed"
  wineserver -w
}
uninstall_for_every_user() {
  uninstall 'C:\Program Files\drelm-wheel'
  status=$?
  [ "$status" -eq 0 ] || fail "the uninstaller failed with status $status: $(ls "$folder" 2>&1 | tr '\n' ' ')"
  wineserver -w
  rm -f "$folder/uninstall.exe"  # run in place, it cannot remove itself
  [ ! -e "$folder" ] || rmdir "$folder" 2>/dev/null || fail "left behind: $(ls "$folder")"
  [ ! -e "$shortcut" ] || fail "the shortcut is left behind"
  read_entry HKLM
  [ -z "$ENTRY" ] || fail "the installed programs' entry is left behind"
}

machine() {
  # For every user: the 64-bit program on a 64-bit Windows.
  install_for_every_user
  [ -f "$folder/drelm-wheel.exe" ] || fail "no drelm-wheel.exe under Program Files"
  file "$folder/drelm-wheel.exe" | grep -q 'PE32+' || fail "the program installed is not the 64-bit one"
  [ -f "$folder/uninstall.exe" ] || fail "no uninstaller"
  [ -f "$shortcut" ] || fail "no Start menu shortcut"
  read_entry HKLM
  for value in "DisplayName.*Tolvane Quenmark" "DisplayVersion.*1.00" "Publisher.*drelm-wheel" \
    "DisplayIcon.*drelm-wheel.exe" "EstimatedSize.*0x[1-9]"; do
    grep -q "$value" <<<"$ENTRY" ||
      fail "the installed programs' entry has no $value; reg said: ${ENTRY//$'\n'/ | }"
  done
  wine "$SETUP" /S /CurrentUser >/dev/null 2>&1
  status=$?
  wineserver -w
  [ "$status" -eq 2 ] || fail "/CurrentUser over every user's installation gave status $status"
  read_entry HKCU
  [ -z "$ENTRY" ] && [ ! -e "$user_folder" ] && installed ||
    fail "/CurrentUser over every user's installation changed something"

  wine "$SETUP" /S '/D=C:\Other' >/dev/null 2>&1 || fail "installing again failed"
  wineserver -w
  [ ! -e "$WINEPREFIX/drive_c/Other" ] || fail "installing again made a second installation"
  read_entry HKLM
  grep -qF 'C:\Program Files\drelm-wheel' <<<"$ENTRY" || fail "installing again moved the entry"
  uninstall_for_every_user
}

running() {
  install_for_every_user
  APP="$folder/drelm-wheel.exe"
  start_exe
  uninstall 'C:\Program Files\drelm-wheel'
  status=$?
  [ "$status" -eq 2 ] || fail "uninstalling while the program runs gave status $status"
  installed || fail "uninstalling while the program runs removed some of it"
  wine "$SETUP" /S >/dev/null 2>&1
  status=$?
  [ "$status" -eq 2 ] || fail "installing while the program runs gave status $status"
  press Escape
  wait_exit
  wineserver -w
  uninstall_for_every_user
}

case $PART in
  folders | user | beside | machine | running) "$PART" ;;
  *) fail "no part '$PART': say folders, user, beside, machine or running" ;;
esac
exit 0
