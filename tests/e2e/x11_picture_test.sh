#!/usr/bin/env bash
# Runs the picture's X11 tests in a private X server, at a Qt scale factor (default 1) and a screen
# depth (default 24), on a screen large enough for the whole window at that scale: the server
# gives out only pixels on screen. Without a window manager, the server applies a resize at once,
# in one step.
# Usage: x11_picture_test.sh TEST_PROGRAM [SCALE] [DEPTH]
source "$(dirname "$0")/x_session.sh"
WORK=$(mktemp -d)
XVFB_SCREEN=2400x2100x${3:-24}
start_x
kill "$WM_PID"
wait "$WM_PID" 2>/dev/null || true
WM_PID=""
QT_SCALE_FACTOR=${2:-1} "$1"
