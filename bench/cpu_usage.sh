#!/usr/bin/env bash
# The running program's own CPU time over 10 s at 60 frames per second, then over 10 s paused,
# in a real window under Xvfb, at a chosen cylinder count (odd, 3 to 35; the program starts at 11);
# the X server's CPU time beside each. Options after the cylinder count go to the program (such as
# --charts); XVFB_SCREEN sets the screen (1280x1024x24 unless set).
# Usage: bench/cpu_usage.sh [PROGRAM] [SECONDS] [CYLINDERS] [PROGRAM OPTIONS...]
source "$(dirname "$0")/../tests/e2e/x_session.sh"
PROGRAM=${1:-build/src/app/radial-engine}
SECONDS_EACH=${2:-10}
CYLINDERS=${3:-11}
WORK=$(mktemp -d)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

report() {
    awk -v t="$2" -v hz="$(getconf CLK_TCK)" -v s="$SECONDS_EACH" -v what="$1" \
        'BEGIN { printf "%-8s %6.2f s CPU in %d s = %5.2f %% of one core\n", what, t / hz, s, 100 * t / hz / s }'
}

# The program's own CPU time, and the X server's beside it (the pixels it copies to the screen).
measure() {
    local before after server_before server_after
    before=$(cpu_ticks "$APP_PID")
    server_before=$(cpu_ticks "$XVFB_PID")
    sleep "$SECONDS_EACH"
    after=$(cpu_ticks "$APP_PID")
    server_after=$(cpu_ticks "$XVFB_PID")
    report "$1" $((after - before))
    report "  Xvfb" $((server_after - server_before))
}

# VScroll1 (logical 16, 16, 17 x 89) starts at value 25 and stands for 38 - value cylinders, even
# counts rounded up; each arrow click moves it by 2. Its up arrow lowers the value.
set_cylinders() {
    local target=$1 value=25 goal=$((38 - $1))
    [ $((target % 2)) -eq 1 ] && [ "$target" -ge 3 ] && [ "$target" -le 35 ] ||
        fail "the cylinder count must be odd, 3 to 35"
    [ "$target" -eq 11 ] && return
    [ "$goal" -eq "$value" ] && { click_at 24 22; value=23; sleep 0.1; } # 13: leave 25 and come back
    while [ "$value" -gt "$goal" ]; do click_at 24 22; value=$((value - 2)); sleep 0.1; done
    while [ "$value" -lt "$goal" ]; do click_at 24 99; value=$((value + 2)); sleep 0.1; done
}

start_x
start_app "$PROGRAM" "${@:4}"
set_cylinders "$CYLINDERS"
sleep 1
echo "$CYLINDERS cylinders"
measure running
press space
sleep 0.5
measure paused
press Escape
wait_for_exit 5
