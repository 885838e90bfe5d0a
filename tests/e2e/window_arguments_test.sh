#!/usr/bin/env bash
# The window program's command line: --help and an argument that cannot be Qt's are answered
# without a display; an unknown option is refused with status 2 and one line on standard error,
# without a display and with one, where no window may appear; a display that cannot be opened is
# one line and status 1; and a Qt option still opens the window. A spy on the root window's children sees every window mapped on the display.
# Usage: window_arguments_test.sh PROGRAM WORKDIR
source "$(dirname "$0")/x_session.sh"
PROGRAM=$1
WORK=$2
rm -rf "$WORK"
mkdir -p "$WORK/runtime"
# Qt warns on standard error where the runtime directory is missing.
chmod 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime"

# Runs the program; sets STATUS, OUT and ERR.
run() {
    STATUS=0
    "$PROGRAM" "$@" >"$WORK/out" 2>"$WORK/err" || STATUS=$?
    OUT=$(cat "$WORK/out")
    ERR=$(cat "$WORK/err")
}

# refused NAME ARGS...: status 2, nothing on standard output, one line naming NAME on standard
# error.
refused() {
    local name=$1
    shift
    run "$@"
    [ "$STATUS" = 2 ] || fail "radial-engine $*: status $STATUS, not 2 ($ERR)"
    [ -z "$OUT" ] || fail "radial-engine $*: printed '$OUT'"
    [ "$ERR" = "radial-engine: unknown argument '$name' (see --help)" ] ||
        fail "radial-engine $*: standard error '$ERR'"
}

without_display() {
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
    run --help
    [ "$STATUS" = 0 ] && [ -z "$ERR" ] || fail "--help: status $STATUS, '$ERR'"
    [[ "$OUT" == "Usage: radial-engine [--charts] [--design FILE] [--pin-angles RULE]"* ]] ||
        fail "--help printed '$OUT'"
    local usage=$OUT
    run --version -h
    [ "$STATUS" = 0 ] && [ "$OUT" = "$usage" ] || fail "-h: status $STATUS, printed '$OUT'"
    [[ "$OUT" == *"It takes no other options"* ]] || fail "--help does not say it takes no others"
    refused extra extra
    # A design that cannot be run is refused as radial-kinematics refuses it, before any window.
    printf 'cylinders = 4\n' >"$WORK/even.toml"
    run --design "$WORK/even.toml"
    [ "$STATUS" = 2 ] && [ "$ERR" = "radial-engine: $WORK/even.toml:1: cylinders: takes an odd whole number from 3 to 35, not 4" ] ||
        fail "--design even.toml: status $STATUS, '$ERR'"
    run --pin-angles=odd
    [ "$STATUS" = 2 ] && [ "$ERR" = "radial-engine: --pin-angles takes 'animation', 'even' or 'level-tdc', not 'odd'" ] ||
        fail "--pin-angles=odd: status $STATUS, '$ERR'"
    refused extra --version extra
    refused extra --charts extra
    run --charts --version
    [ "$STATUS" = 0 ] && [[ "$OUT" == "radial-engine "* ]] || fail "--charts --version: '$OUT'"
    # Starts with a dash: Qt takes its options off the command line first.
    refused --bogus --bogus
    refused -x -reverse -style Fusion -x
    # No display to open: one line and status 1, where Qt's X11 platform would abort.
    local session="radial-engine: the window needs a graphical session (X11 or Wayland)"
    run
    [ "$STATUS" = 1 ] && [ -z "$OUT" ] && [ "$ERR" = "$session: DISPLAY is not set" ] ||
        fail "no display: status $STATUS, '$ERR'"
    run -display :65000
    [ "$STATUS" = 1 ] && [ "$ERR" = "$session: could not open X11 display ':65000'" ] ||
        fail "-display :65000: status $STATUS, '$ERR'"
    DISPLAY=:65000 run -reverse
    [ "$STATUS" = 1 ] && [ "$ERR" = "$session: could not open X11 display ':65000'" ] ||
        fail "DISPLAY=:65000: status $STATUS, '$ERR'"
    # Qt takes its options with two dashes too.
    run --display :65000
    [ "$STATUS" = 1 ] && [ "$ERR" = "$session: could not open X11 display ':65000'" ] ||
        fail "--display :65000: status $STATUS, '$ERR'"
    # Without WAYLAND_DISPLAY a Wayland client looks for wayland-0 in XDG_RUNTIME_DIR, and without
    # XDG_RUNTIME_DIR for nothing.
    run -platform wayland
    [ "$STATUS" = 1 ] && [ "$ERR" = "$session: could not open Wayland display 'wayland-0'" ] ||
        fail "-platform wayland: status $STATUS, '$ERR'"
    unset XDG_RUNTIME_DIR
    run -platform wayland
    local no_runtime="could not open Wayland display 'wayland-0': XDG_RUNTIME_DIR is not set"
    [ "$STATUS" = 1 ] && [ "$ERR" = "$session: $no_runtime" ] ||
        fail "-platform wayland without XDG_RUNTIME_DIR: status $STATUS, '$ERR'"
}
(without_display) || exit 1

start_x
stdbuf -oL xev -root -event substructure >"$WORK/root-events" 2>&1 &
SPY_PID=$!
sleep 0.3
refused --bogus --bogus
refused --frames -reverse --frames 3
sleep 0.5
! grep -q MapNotify "$WORK/root-events" || fail "a window appeared for a refused argument"

# A Qt option (the X11 instance name) opens the window as before; the spy sees it.
start_app "$PROGRAM" -name radial-arguments-test
grep -q MapNotify "$WORK/root-events" || fail "the spy saw no window for the opened window"
press Escape
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "the window opened with a Qt option ended with '$EXIT_STATUS'"
kill "$SPY_PID" 2>/dev/null || true
echo "window arguments test passed"
