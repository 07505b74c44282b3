#!/usr/bin/env bash
# Storms of events, bounded in count and time. A thousand keys in one burst leave the program
# running or paused by the parity of the Enters among them; resizing, hiding and covering the
# window while it runs leave the picture whole; Esc or a click in the middle of a storm still
# ends the program at once.
source "$(dirname "$0")/lib.sh" "$@"
# A burst of $1 keys of which $2 are Enter, the rest other keys, mixed.
burst() {
  local total=$1 enters=$2 keys=() others=(a space Left F1 Tab BackSpace 7 shift+x Up KP_Add)
  for ((i = 0; i < total; i++)); do
    if (( i * enters / total != (i + 1) * enters / total )); then keys+=(Return); else keys+=("${others[i % 10]}"); fi
  done
  xdotool key --window "$WIN" --delay 0 "${keys[@]}"
}
start_xvfb
start_app
xdotool windowsize "$WIN" 1280 640
burst 1000 400
sleep 0.5
moving || fail "paused after 400 Enters among 1000 keys"
burst 1000 401
sleep 0.5
moving && fail "running after 401 Enters among 1000 keys"
burst 1000 0
sleep 0.3
moving && fail "other keys resumed the animation"
xdotool key --window "$WIN" Return
sleep 0.3
moving || fail "Enter did not resume after the storms"

# Resizes, hiding and covering while running.
for i in $(seq 15); do
  xdotool windowsize "$WIN" $((400 + i * 53)) $((300 + i * 23))
  xdotool windowunmap "$WIN"
  xdotool windowmap "$WIN"
  cover_window 300x200+$((i * 40))+$((i * 20)) 0.1
done
xdotool windowsize "$WIN" 1280 640
sleep 0.5
xdotool key --window "$WIN" Return
sleep 0.3
shot "$WORK/after-storm.png"
cover_window 1280x640+0+0 0.5
sleep 0.5
shot "$WORK/repainted.png"
same_image "$WORK/after-storm.png" "$WORK/repainted.png" ||
  fail "the picture after the storm differs from the canvas repainted whole"
for row in 545 580 620; do
  [ "$(pixel "$WORK/after-storm.png" 938 $row)" = "000000" ] || fail "a tick is missing at (938, $row)"
done

# Esc in the middle of a burst.
keys=()
for i in $(seq 500); do keys+=(a Return); done
xdotool key --window "$WIN" --delay 0 "${keys[@]:0:500}" Escape "${keys[@]:500}" 2>/dev/null
wait_exit 3
[ "$STATUS" -eq 0 ] || fail "Esc in a storm ended with status $STATUS"

# A click while a storm of keys is still arriving.
start_app
xdotool key --window "$WIN" --delay 2 "${keys[@]}" 2>/dev/null &
storm=$!
sleep 0.5
xdotool mousemove --window "$WIN" 200 200 click 1
wait_exit 3
[ "$STATUS" -eq 0 ] || fail "a click in a storm ended with status $STATUS"
kill $storm 2>/dev/null
wait $storm 2>/dev/null
exit 0
