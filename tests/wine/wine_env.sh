# Sourced by every Windows test: Wine quiet, and kept out of the home folder. Its menu builder
# would write menus and icons there, and a D-Bus session it asked for would be noted there.
export WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d DBUS_SESSION_BUS_ADDRESS=disabled:
