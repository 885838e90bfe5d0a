#!/usr/bin/env bash
# The running program's own CPU time over 10 s at 60 frames per second, then over 10 s paused,
# in a real window under Xvfb. Usage: bench/cpu_usage.sh [PROGRAM] [SECONDS]
source "$(dirname "$0")/../tests/e2e/x_session.sh"
PROGRAM=${1:-build/src/app/radial-engine}
SECONDS_EACH=${2:-10}
WORK=$(mktemp -d)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }

measure() {
    local before after ticks
    before=$(cpu_ticks)
    sleep "$SECONDS_EACH"
    after=$(cpu_ticks)
    ticks=$(getconf CLK_TCK)
    awk -v t=$((after - before)) -v hz="$ticks" -v s="$SECONDS_EACH" -v what="$1" \
        'BEGIN { printf "%-8s %6.2f s CPU in %d s = %5.2f %% of one core\n", what, t / hz, s, 100 * t / hz / s }'
}

start_x
start_app "$PROGRAM"
sleep 1
measure running
press space
sleep 0.5
measure paused
press Escape
wait_for_exit 5
