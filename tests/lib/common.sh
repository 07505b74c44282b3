# Sourced by every test script: a work folder of its own, removed at the end with whatever was
# registered to undo; one way to fail at once and one to note a failure and go on; and what
# several tests check. Usage: source "$(dirname "$0")/../lib/common.sh"
set -u
WORK=$(mktemp -d)
# What the programs under test and their helpers keep for a user (caches, settings: the window
# manager's log, the GL shader cache) goes into the work folder too, never the home folder.
export XDG_CACHE_HOME="$WORK/cache" XDG_CONFIG_HOME="$WORK/config"
AT_EXIT=()
FAILURES=0
# How long a test waits for what it expects (a window, a frame, an end) before it gives up: far
# more than any of them takes on a quiet machine, so that a busy one only makes the test slower.
DEADLINE=${DEADLINE:-30}

# The window's caption, runs of spaces included.
CAPTION="          Tolvane    Quenmark          Enter: Stop / Start          ESC to Quit"

# Runs the command $1 when the script ends, before what was registered earlier.
at_exit() {
  AT_EXIT=("$1" "${AT_EXIT[@]}")
}
run_at_exit() {
  local command
  for command in "${AT_EXIT[@]}"; do eval "$command"; done
  chmod -R u+w "$WORK" 2>/dev/null
  rm -rf "$WORK"
}
trap run_at_exit EXIT

# Ends the test at once; the program's last lines on stderr, when there are any, say more.
fail() {
  echo "FAIL: $*" >&2
  [ -s "$WORK/app.err" ] && tail -5 "$WORK/app.err" | sed 's/^/  app stderr: /' >&2
  exit 1
}

# Notes a failed check and goes on; `finish` then ends with status 1 if any failed.
problem() {
  echo "FAIL: $*" >&2
  FAILURES=$((FAILURES + 1))
}
finish() {
  exit $((FAILURES > 0))
}

# Runs the command "$@" until it succeeds, for at most $1 seconds; fails when it never did.
wait_until() {
  local end=$(($(date +%s%N) / 1000000 + $1 * 1000))
  shift
  until "$@"; do
    [ "$(($(date +%s%N) / 1000000))" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# A test that cannot run here says why and ends with CTest's skip status; `make test` names it
# with that reason in its summary (DRELM_SKIPPED: the file it gathers reasons in).
skip() {
  echo "skipped: $*"
  [ -n "${DRELM_SKIPPED:-}" ] && echo "${DRELM_TEST:-$(basename "$0")}: $*" >>"$DRELM_SKIPPED"
  exit 77
}

# CPU time process $1 has used, in clock ticks.
cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$1/stat"
}

# The count of pixels of one colour (six hex digits) in a PNG, to within a few levels, so that a
# 16-bit screen's nearest colour counts too.
count_colour() {
  convert "$1" -fuzz 3% -fill black +opaque "#$2" -fill white -opaque "#$2" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
