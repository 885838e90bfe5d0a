#!/usr/bin/env bash
# Runs the animation in a real window under Xvfb for a while at the fastest speed the keys allow
# (the step held at its bound of one 4 pi cycle per frame) with the centroid vector on, and
# reports the process's resident memory and CPU time at intervals.
# Usage: bench/long_run.sh [SECONDS=600] [INTERVAL=60] [PROGRAM=build/src/app/radial-engine]
source "$(dirname "$0")/../tests/e2e/x_session.sh"
DURATION=${1:-600}
INTERVAL=${2:-60}
PROGRAM=${3:-build/src/app/radial-engine}
WORK=$(mktemp -d)

cpu_seconds() {
    awk -v hz="$(getconf CLK_TCK)" '{printf "%.2f", ($14 + $15) / hz}' "/proc/$APP_PID/stat"
}

start_x
start_app "$PROGRAM"
# 0.05 * 1.05^114 passes 4 pi: more presses than that leave the step at its bound.
xdotool windowactivate --sync "$WID" >/dev/null 2>&1 || true
xdotool key --delay 5 $(printf 'period %.0s' $(seq 130)) c
printf '%8s %10s %12s\n' "seconds" "RSS (KiB)" "CPU (s)"
start=$SECONDS
while [ $((SECONDS - start)) -lt "$DURATION" ]; do
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended during the run"
    printf '%8d %10d %12s\n' $((SECONDS - start)) "$(rss_kb)" "$(cpu_seconds)"
    sleep "$INTERVAL"
done
printf '%8d %10d %12s\n' $((SECONDS - start)) "$(rss_kb)" "$(cpu_seconds)"
press Escape
wait_for_exit 5
echo "ended with status $EXIT_STATUS"
