#!/usr/bin/env bash
# The charts window beside the real engine window: "g" opens it to the right of the engine with
# both charts drawn and a cursor that moves, "g" again or the window manager closes it, and the
# engine turns on throughout; --charts starts with it open.
# Usage: charts_window_test.sh PROGRAM WORKDIR
source "$(dirname "$0")/x_session.sh"
PROGRAM=$1
WORK=$2
mkdir -p "$WORK"
CHARTS_CAPTION="Radial engine charts"

# The charts window's id when it is mapped, else nothing.
charts_window() {
    xdotool search --onlyvisible --name "^$CHARTS_CAPTION\$" 2>/dev/null | head -1 || true
}

wait_for_charts() {
    for _ in $(seq 50); do
        CID=$(charts_window)
        [ -n "$CID" ] && return
        sleep 0.1
    done
    fail "no charts window: $1"
}

wait_for_no_charts() {
    for _ in $(seq 50); do
        [ -z "$(charts_window)" ] && return
        sleep 0.1
    done
    fail "the charts window stayed: $1"
}

engine_turns() {
    shoot "$WORK/engine1.png"
    sleep 0.4
    shoot "$WORK/engine2.png"
    [ "$(compare -metric AE "$WORK/engine1.png" "$WORK/engine2.png" null: 2>&1 || true)" != "0" ] ||
        fail "the engine stopped turning: $1"
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended: $1"
}

# A screen with room for both windows side by side.
export XVFB_SCREEN=1920x1200x24
start_x
start_app "$PROGRAM"
[ -z "$(charts_window)" ] || fail "a charts window before g"

press g
wait_for_charts "after g"
sleep 1
# Beside the engine window, not over it.
engine_right=$(xwininfo -id "$WID" | awk '/Absolute upper-left X:/ {x=$4} /Width:/ {w=$2} END {print x + w}')
charts_left=$(xwininfo -id "$CID" | awk '/Absolute upper-left X:/ {print $4}')
[ "$charts_left" -ge "$engine_right" ] ||
    fail "the charts window at x $charts_left overlaps the engine window ending at $engine_right"

# Both charts drawn (the legend's and the curves' colours, far more than a bare window has), the
# cursor moving over them while the engine turns.
import -window "$CID" "$WORK/charts1.png"
colours=$(convert "$WORK/charts1.png" -depth 8 -format %k info:)
[ "$colours" -ge 100 ] || fail "the charts window has only $colours colours"
[ -n "$(count_colour "$WORK/charts1.png" "$(identify -format '%wx%h+0+0' "$WORK/charts1.png")" 1F4E9C)" ] ||
    fail "no balance locus in the charts window"
sleep 0.4
import -window "$CID" "$WORK/charts2.png"
[ "$(compare -metric AE "$WORK/charts1.png" "$WORK/charts2.png" null: 2>&1 || true)" != "0" ] ||
    fail "the charts' cursor does not move"
engine_turns "with the charts open"

press g
wait_for_no_charts "after g again"
engine_turns "after g closed the charts"

press g
wait_for_charts "after g a third time"
wmctrl -i -c "$CID"
wait_for_no_charts "closed through the window manager"
sleep 0.5
engine_turns "after the charts window was closed"

press Escape
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "Esc ended the program with '$EXIT_STATUS'"

# --charts: open from the start.
start_app "$PROGRAM" --charts
wait_for_charts "with --charts"
engine_turns "with --charts"
press Escape
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "Esc with --charts ended the program with '$EXIT_STATUS'"
echo "charts window test passed"
