#!/usr/bin/env bash
# Enter pauses: the picture stays still. A second Enter resumes: it moves again. Keys that are
# not Enter or Esc change nothing.
source "$(dirname "$0")/lib.sh" "$@"
start_xvfb
start_app
moving 0.3 || fail "the picture does not move while running"
check_pause_and_resume KP_Enter
kill -0 "$APP_PID" || fail "the program ended"
