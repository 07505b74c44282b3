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
moving || fail "paused after 400 Enters among 1000 keys"
burst 1000 401
wait_still || fail "running after 401 Enters among 1000 keys"
cp "$WORK/still.png" "$WORK/paused.png"
burst 1000 0
stays_as "$WORK/paused.png" || fail "other keys resumed the animation"
xdotool key --window "$WIN" Return
moving || fail "Enter did not resume after the storms"

# Resizes, hiding and covering while running.
for i in $(seq 15); do
  xdotool windowsize "$WIN" $((400 + i * 53)) $((300 + i * 23))
  xdotool windowunmap "$WIN"
  xdotool windowmap "$WIN"
  cover_window 300x200+$((i * 40))+$((i * 20))
done
xdotool windowsize "$WIN" 1280 640
xdotool key --window "$WIN" Return
wait_still || fail "Enter did not pause the picture after the storm"
cp "$WORK/still.png" "$WORK/after-storm.png"
xlogo -geometry 1280x640+0+0 2>/dev/null &
cover=$!
wait_until "$DEADLINE" differs_from "$WORK/after-storm.png" || fail "the cover did not cover the window"
kill $cover
wait $cover 2>/dev/null
repainted() {
  shot "$WORK/repainted.png"
  same_image "$WORK/after-storm.png" "$WORK/repainted.png"
}
wait_until "$DEADLINE" repainted ||
  fail "the picture after the storm differs from the canvas repainted whole"
for row in 545 580 620; do
  [ "$(pixel "$WORK/after-storm.png" 938 $row)" = "000000" ] || fail "a tick is missing at (938, $row)"
done

# Esc in the middle of a burst.
keys=()
for i in $(seq 500); do keys+=(a Return); done
xdotool key --window "$WIN" --delay 0 "${keys[@]:0:500}" Escape "${keys[@]:500}" 2>/dev/null
wait_exit
[ "$STATUS" -eq 0 ] || fail "Esc in a storm ended with status $STATUS"

# A click while a storm of keys is still arriving.
start_app
xdotool key --window "$WIN" --delay 2 "${keys[@]}" 2>/dev/null &
storm=$!
sleep 0.5
xdotool mousemove --window "$WIN" 200 200 click 1
wait_exit
[ "$STATUS" -eq 0 ] || fail "a click in a storm ended with status $STATUS"
kill $storm 2>/dev/null
wait $storm 2>/dev/null
exit 0
