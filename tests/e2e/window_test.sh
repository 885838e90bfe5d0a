#!/usr/bin/env bash
# The real program in a real window: its caption, the palette it draws in, and closing it through
# the window manager. Usage: window_test.sh PROGRAM WORKDIR
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

wmctrl -i -c "$WID"
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "closing the window ended the program with '$EXIT_STATUS'"
echo "window test passed"
