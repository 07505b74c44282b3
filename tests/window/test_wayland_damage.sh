#!/usr/bin/env bash
# On Wayland the picture reaches the compositor a changed rectangle at a time: over 150 commits
# of running, most commits of the picture's surface damage rectangles smaller than the window,
# and the whole window is damaged only when all of it is shown again (at the start, and when the
# window is maximized), at most at the pace of frames. Under weston's software renderer, which
# repaints only what was damaged.
source "$(dirname "$0")/lib.sh" "$@"
WESTON_RENDERER=pixman start_weston 1
# The picture's surface (the surface given the most commits: libdecor's borders get few):
# its commits, how many of them damaged the whole window, and their rate a second.
count_commits() {
  awk '
  /-> wl_surface@[0-9]+\.damage_buffer\(/ {
    match($0, /wl_surface@[0-9]+/); s = substr($0, RSTART, RLENGTH)
    match($0, /\(.*\)/); split(substr($0, RSTART + 1, RLENGTH - 2), r, ", ")
    if (r[1] == 0 && r[2] == 0 && r[3] >= 748 && r[4] >= 539) whole[s] = 1
  }
  /-> wl_surface@[0-9]+\.commit\(\)/ {
    match($0, /wl_surface@[0-9]+/); s = substr($0, RSTART, RLENGTH)
    match($0, /[0-9]+\.[0-9]+/); t = substr($0, RSTART, RLENGTH) / 1000
    commits[s]++; if (whole[s]) wholes[s]++; whole[s] = 0
    if (!(s in first)) first[s] = t; last[s] = t
  }
  END {
    for (s in commits) if (commits[s] > best) { best = commits[s]; ours = s }
    printf "%d %d %d\n", best, wholes[ours], best / (last[ours] - first[ours] + 0.001)
  }' "$WORK/app.err" >"$WORK/counts"
  read -r commits wholes rate <"$WORK/counts"
}
enough_commits() {
  count_commits
  [ "${commits:-0}" -ge 150 ]
}
APP_ENV=WAYLAND_DEBUG=1 wl_start_app 748x539
wait_until "$DEADLINE" enough_commits || fail "only $commits commits of the picture"
# Maximized by a double click on its title bar: whole again, once or so, at the new size, showing
# what was drawn beyond the first edges.
wl_point 300 -12
outer_xdotool click --repeat 2 --delay 80 1
maximized() {
  wl_shot "$WORK/maximized.png"
  [ "$(identify -format '%w' "$WORK/maximized.png")" -gt 1000 ]
}
wait_until "$DEADLINE" maximized || fail "a double click on the title bar did not maximize the window"
outer_press Return
wait_still || fail "Enter did not pause the picture"
[ "$(pixel "$WORK/still.png" 938 580)" = "000000" ] ||
  fail "maximized ($(identify -format '%wx%h' "$WORK/still.png")), no tick at (938, 580)"
outer_press Escape
wait_exit
count_commits
echo "the picture's surface: $commits commits, $rate a second, $wholes of the whole window"
[ "$rate" -le 75 ] || fail "$rate commits a second: more than the frames asked for"
[ "$wholes" -le 3 ] || fail "$wholes of $commits commits damaged the whole window"
exit 0
