# Sourced by every Windows test: Wine quiet, and kept out of the home folder. Its menu builder
# would write menus and icons there, and a D-Bus session it asked for would be noted there.
export WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d DBUS_SESSION_BUS_ADDRESS=disabled:

# Whether Wine runs 32-bit programs here: a 32-bit Wine installed, on a kernel that runs 32-bit
# programs at all.
wine_runs_32_bit() {
  [ -x /usr/lib/wine/wine ] && "$(dirname "${BASH_SOURCE[0]}")/../../tools/runs-32-bit-programs.sh"
}
