#!/usr/bin/env bash
# A seeded random stream of input against the real window for a bounded time: command keys and
# other characters, arrow and page keys on a focused bar, clicks and drags on the bars, presses and
# moves over the drawing, resizes, pauses and resumes; then Esc. The program must stay alive, end
# with status 0, report nothing from a sanitizer, and keep its resident memory within 5 MB of what
# it was after its first second.
#
# Usage: random_input_test.sh PROGRAM WORKDIR
#   RADIAL_RANDOM_SECONDS  how long to send input (default 30)
#   RADIAL_RANDOM_SEED     the seed; the same seed replays the same stream
#   RADIAL_RANDOM_RSS=0    skip the memory bound (under AddressSanitizer, whose allocator holds
#                          freed memory back on purpose; LeakSanitizer checks for leaks instead)
source "$(dirname "$0")/x_session.sh"
PROGRAM=$1
WORK=$2
DURATION=${RADIAL_RANDOM_SECONDS:-30}
SEED=${RADIAL_RANDOM_SEED:-$(( $(date +%s) % 32768 ))}
mkdir -p "$WORK"
: >"$WORK/actions.log"
echo "random input seed: $SEED (replay with RADIAL_RANDOM_SEED=$SEED)"
RANDOM=$SEED

# R = a random whole number below $1, drawn in this shell so the stream depends on the seed alone.
rnd() { R=$((RANDOM % $1)); }
act() {
    echo "$*" >>"$WORK/actions.log"
    xdotool "$@" >/dev/null 2>&1 || true
}

rss_parts() { grep -E "RssAnon|RssFile|RssShmem" "/proc/$APP_PID/status" | tr -s " \t\n" " "; }

BAR_X=(24 72 120)
KEYS=(period comma slash c C space a x 1 question plus minus Return Tab BackSpace shift+c)
BAR_KEYS=(Up Down Prior Next Home End)
last_drawing_press=0

press_on_drawing() {
    # Two presses close together would make a double-click, which quits.
    local now
    now=$(date +%s%N)
    if [ $(((now - last_drawing_press) / 1000000)) -lt 800 ]; then
        return
    fi
    last_drawing_press=$now
    rnd 540; local x=$((160 + R))
    rnd 520; local y=$((160 + R))
    act mousemove --window "$WID" "$x" "$y" click 1
}

one_action() {
    rnd 100
    local pick=$R
    if [ "$pick" -lt 25 ]; then
        rnd ${#KEYS[@]}; act key "${KEYS[$R]}"
    elif [ "$pick" -lt 40 ]; then
        rnd 3; local bar=${BAR_X[$R]}
        act mousemove --window "$WID" "$bar" 60 click 1
        rnd ${#BAR_KEYS[@]}; act key "${BAR_KEYS[$R]}"
    elif [ "$pick" -lt 55 ]; then
        rnd 3; local bar=${BAR_X[$R]}
        rnd 2; local y=$((R == 0 ? 20 : 100))
        act mousemove --window "$WID" "$bar" "$y" click 1
    elif [ "$pick" -lt 63 ]; then
        rnd 3; local bar=${BAR_X[$R]}
        rnd 60; local from=$((30 + R))
        rnd 90; local to=$((10 + R))
        act mousemove --window "$WID" "$bar" "$from" mousedown 1
        act mousemove --window "$WID" "$bar" "$to"
        act mouseup 1
    elif [ "$pick" -lt 70 ]; then
        press_on_drawing
    elif [ "$pick" -lt 85 ]; then
        rnd 700; local x=$((5 + R))
        rnd 680; local y=$((150 + R))
        act mousemove --window "$WID" "$x" "$y"
    elif [ "$pick" -lt 92 ]; then
        rnd 500; local w=$((500 + R))
        rnd 400; local h=$((500 + R))
        act windowsize "$WID" "$w" "$h"
    else
        act key space
        rnd 30; sleep "0.$(printf '%02d' $((10 + R)))"
        act key space
    fi
    rnd 12; sleep "0.$(printf '%02d' $((2 + R)))"
}

start_x
start_app "$PROGRAM"
rss_start=$(rss_kb)
echo "at 1 s: $(rss_parts)"
xdotool windowactivate --sync "$WID" >/dev/null 2>&1 || true

actions=0
start=$SECONDS
while [ $((SECONDS - start)) -lt "$DURATION" ]; do
    kill -0 "$APP_PID" 2>/dev/null ||
        fail "the program ended after $actions actions (seed $SEED): $(tail -5 "$WORK/app.log")"
    one_action
    actions=$((actions + 1))
done

# Back to the design size, so the picture's memory is what it was at the start.
act windowsize "$WID" 711 695
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended at the end (seed $SEED)"
rss_end=$(rss_kb)
echo "at the end: $(rss_parts)"
echo "$actions actions; resident memory ${rss_start} KiB after the first second, ${rss_end} KiB at the end"
[ "${RADIAL_RANDOM_RSS:-1}" = 0 ] || [ $((rss_end - rss_start)) -le 5120 ] || fail "resident memory grew by $((rss_end - rss_start)) KiB (seed $SEED)"

press Escape
wait_for_exit 10
[ "$EXIT_STATUS" = "0" ] || fail "Esc ended the program with '$EXIT_STATUS' (seed $SEED): $(tail -20 "$WORK/app.log")"
if grep -E -q 'Sanitizer|runtime error' "$WORK/app.log"; then
    fail "a sanitizer reported (seed $SEED): $(grep -E -m5 'Sanitizer|runtime error' "$WORK/app.log")"
fi
echo "random input test passed"
