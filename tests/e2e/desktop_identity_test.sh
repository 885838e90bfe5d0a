#!/usr/bin/env bash
# The real window belongs to its desktop entry: its X11 class is the entry's StartupWMClass, and
# it carries its own icon (_NET_WM_ICON), the program's drawing of it in the usual sizes.
# Usage: desktop_identity_test.sh PROGRAM DESKTOP_ENTRY WORKDIR
source "$(dirname "$0")/x_session.sh"
PROGRAM=$1
ENTRY=$2
WORK=$3
rm -rf "$WORK"
mkdir -p "$WORK"

wm_class=$(sed -n 's/^StartupWMClass=//p' "$ENTRY")
[ -n "$wm_class" ] || fail "the desktop entry names no StartupWMClass"

start_x
start_app "$PROGRAM"
# WM_CLASS holds the instance name, then the class.
class=$(xprop -id "$WID" WM_CLASS | sed -E 's/.*= "[^"]*", "([^"]*)"$/\1/')
[ "$class" = "$wm_class" ] || fail "the window's class is '$class', the entry's '$wm_class'"

xprop -id "$WID" -notype 32c _NET_WM_ICON >"$WORK/icon" || fail "no _NET_WM_ICON"
sizes=$(xprop -id "$WID" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr -d 'Icon()' | xargs)
[ "$sizes" = "16 x 16 24 x 24 32 x 32 48 x 48 64 x 64 128 x 128" ] ||
    fail "the window's icons are '$sizes'"
# The drawing's link rods: opaque red 0xFFFF0000.
grep -q '\b4294901760\b' "$WORK/icon" || fail "the window's icon is not the engine's drawing"

press Escape
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "the window ended with '$EXIT_STATUS'"
echo "desktop identity test passed"
