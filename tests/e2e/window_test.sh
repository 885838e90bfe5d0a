#!/usr/bin/env bash
# The real program in a real window: its caption and the palette it draws in, the cylinder-count
# bar, pause, the centroid vector, Esc, closing through the window manager, and a double click.
# Usage: window_test.sh PROGRAM WORKDIR
source "$(dirname "$0")/x_session.sh"
PROGRAM=$1
WORK=$2
mkdir -p "$WORK"

start_x
start_app "$PROGRAM"

size=$(xwininfo -id "$WID" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "711x695" ] || fail "client area is $size, not 711x695"

shoot "$WORK/window.png"

# The drawing, away from the controls in the top-left corner: only the palette, hard-edged.
palette="FFFFFF 808080 00FF00 FF00FF 0000FF FF0000 C04000"
region="711x545+0+150"
for colour in $(colours_in "$WORK/window.png" "$region"); do
    [[ " $palette " == *" $colour "* ]] || fail "colour #$colour outside the palette"
done
for colour in 808080 00FF00 FF00FF 0000FF FF0000; do
    [ -n "$(count_colour "$WORK/window.png" "$region" "$colour")" ] || fail "nothing drawn in #$colour"
done

# It moves: a later picture differs.
sleep 0.5
shoot "$WORK/later.png"
[ "$(compare -metric AE "$WORK/window.png" "$WORK/later.png" null: 2>&1 || true)" != "0" ] ||
    fail "the engine does not move"

# Eleven cylinders: an axis every 32.7 degrees. Two clicks on VScroll1's lower arrow make nine,
# with an axis at 40 degrees.
[ "$(grey_along_axis "$WORK/window.png" 32.727)" -ge 6 ] || fail "no axis of cylinder 2 of 11"
[ "$(grey_along_axis "$WORK/window.png" 40)" -le 2 ] || fail "an axis at 40 degrees with 11 cylinders"
click_at 24 100
sleep 0.3
click_at 24 100
sleep 1
shoot "$WORK/nine.png"
[ "$(grey_along_axis "$WORK/nine.png" 40)" -ge 6 ] || fail "no axis of cylinder 2 of 9"
[ "$(grey_along_axis "$WORK/nine.png" 32.727)" -le 2 ] || fail "an 11-cylinder axis left with 9"

# Space pauses (the bar has the focus now, and passes it on) and resumes.
press space
sleep 0.5
shoot "$WORK/paused1.png"
sleep 0.5
shoot "$WORK/paused2.png"
[ "$(compare -metric AE "$WORK/paused1.png" "$WORK/paused2.png" null: 2>&1 || true)" = "0" ] ||
    fail "the picture changed while paused"
press space
sleep 0.5
shoot "$WORK/resumed.png"
[ "$(compare -metric AE "$WORK/paused2.png" "$WORK/resumed.png" null: 2>&1 || true)" != "0" ] ||
    fail "the engine did not resume"

# "c" shows the centroid vector in orange-brown.
[ -z "$(count_colour "$WORK/resumed.png" "$region" C04000)" ] || fail "a vector before c"
press c
sleep 0.5
shoot "$WORK/vector.png"
[ -n "$(count_colour "$WORK/vector.png" "$region" C04000)" ] || fail "no centroid vector after c"

press Escape
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "Esc ended the program with '$EXIT_STATUS'"

# A second run, closed through the window manager.
start_app "$PROGRAM"
wmctrl -i -c "$WID"
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "closing the window ended the program with '$EXIT_STATUS'"
# A third, ended by a double click on the picture, which lies over the whole client area.
start_app "$PROGRAM"
xdotool mousemove --window "$WID" 500 500 click --repeat 2 --delay 80 1
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "a double click on the picture ended the program with '$EXIT_STATUS'"
echo "window test passed"
