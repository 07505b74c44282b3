# Sourced by every Windows test: the program under Wine in a private X server, with the Wine
# prefix the prefix test made for this build. Usage: source lib.sh EXE PREFIX
source "$(dirname "${BASH_SOURCE[0]}")/../window/lib.sh" "$1"
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
export WINEPREFIX=$2
[ -f "$APP" ] || fail "no $APP: make windows builds it"
[ -d "$WINEPREFIX" ] || fail "no Wine prefix at $WINEPREFIX"

# Starts the program under Wine and waits until its window shows the picture; sets WIN and
# APP_PID (wine's).
start_exe() {
  wine "$APP" 2>"$WORK/app.err" &
  APP_PID=$!
  WIN=$(find_window)
  [ -n "$WIN" ] || fail "no window appeared"
  wait_until "$DEADLINE" picture_shown || fail "the window shows no picture within $DEADLINE s"
}

# The program's own process, for its CPU time.
exe_pid() {
  pgrep -f 'drelm-wheel\.exe' | head -1
}
