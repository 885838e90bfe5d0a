# Helpers for driving the real window: a private X server with a window manager, the program
# under test, screenshots and their colours. Sourced by the end-to-end tests.

set -euo pipefail

# The window's caption, character for character.
CAPTION="      Radial Engine (select: number of cylinders, l/s ratio, wrist pin eccentricity)         Use: Mouse , . / c SpaceBar     ESC:Quit"

XVFB_PID=""
WM_PID=""
APP_PID=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

stop_session() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
}

# Starts Xvfb on a free display (its screen XVFB_SCREEN, 1280x1024x24 unless set) and a window
# manager on it; exports DISPLAY.
start_x() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || fail "Xvfb did not start"
    rm -f "$fifo"
    export DISPLAY=":$number"
    trap stop_session EXIT
    openbox --sm-disable >/dev/null 2>&1 &
    WM_PID=$!
    sleep 0.5
}

# Starts the program and waits for its window; sets APP_PID and WID.
start_app() {
    "$@" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    WID=""
    for _ in $(seq 100); do
        for id in $(xdotool search --name "Radial Engine" 2>/dev/null); do
            if [ "$(xdotool getwindowname "$id")" = "$CAPTION" ]; then
                WID=$id
            fi
        done
        [ -n "$WID" ] && break
        kill -0 "$APP_PID" 2>/dev/null || fail "the program ended at start: $(cat "$WORK/app.log")"
        sleep 0.1
    done
    [ -n "$WID" ] || fail "no window with the exact caption"
    sleep 1
}

# Waits up to $1 seconds for the program to end; sets EXIT_STATUS (or "still-running").
wait_for_exit() {
    local limit=$1
    EXIT_STATUS="still-running"
    for _ in $(seq $((limit * 10))); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$APP_PID" || EXIT_STATUS=$?
            APP_PID=""
            return
        fi
        sleep 0.1
    done
}

# The program's resident memory, in KiB.
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$APP_PID/status"; }

# A screenshot of the window's client area.
shoot() {
    import -window "$WID" "$1"
}

# The colours of a region (WxH+X+Y) of a picture, one "RRGGBB" per line.
colours_in() {
    convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info:- |
        sed -E 's/.*#([0-9A-Fa-f]{6}).*/\1/' | tr 'a-f' 'A-F' | sort -u
}

# How many pixels of colour RRGGBB a region has.
count_colour() {
    convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info:- |
        grep -i "#$3" | sed -E 's/^ *([0-9]+):.*/\1/' | head -1 || true
}

# How many of eight points along the middle of the cylinder axis at angle DEG (from straight up,
# clockwise) are grey in a screenshot of the design-size window at the start rod length.
grey_along_axis() {
    local file=$1 deg=$2
    convert "$file" -depth 8 txt:- | awk -v deg="$deg" '
        BEGIN {
            pi = atan2(0, -1); phi = deg * pi / 180; n = 0
            for (rho = 165; rho <= 235; rho += 10) {
                px = int((rho * sin(phi) + 270) * 711 / 540); py = int((270 - rho * cos(phi)) * 695 / 520)
                sample[n, "x"] = px; sample[n, "y"] = py; n++
            }
        }
        {
            split($1, xy, /[,:]/); x = xy[1] + 0; y = xy[2] + 0
            if ($3 == "#808080") grey[x "," y] = 1
        }
        END {
            hits = 0
            for (k = 0; k < n; k++) {
                found = 0
                for (dx = -2; dx <= 2; dx++) for (dy = -2; dy <= 2; dy++)
                    if ((sample[k, "x"] + dx) "," (sample[k, "y"] + dy) in grey) found = 1
                hits += found
            }
            print hits
        }'
}

# Presses keys in the program's window (activated first, so they arrive as real key presses).
press() {
    xdotool windowactivate --sync "$WID" >/dev/null 2>&1 || true
    xdotool key --delay 50 "$@"
}

# Clicks at (x, y) pixels of the window's client area.
click_at() {
    xdotool mousemove --window "$WID" "$1" "$2" click 1
}
