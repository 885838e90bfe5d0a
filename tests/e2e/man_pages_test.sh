#!/usr/bin/env bash
# Every flag a program's --help names appears in its manual page, so the two cannot drift apart.
# The pages are roff, where a minus sign is written \-. The window program answers --help
# without a display.
# Usage: man_pages_test.sh MAN_DIR PROGRAM...
set -uo pipefail
MAN_DIR=$1
shift

failed=0
for program in "$@"; do
    name=$(basename "$program")
    page="$MAN_DIR/$name.1.in"
    usage=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help) || {
        echo "FAIL: $name --help failed" >&2
        failed=1
        continue
    }
    flags=$(grep -oE -- '--[a-z][a-z-]*[a-z]' <<<"$usage" | sort -u)
    [ -n "$flags" ] || { echo "FAIL: $name --help names no flag" >&2; failed=1; }
    text=$(sed 's/\\-/-/g' "$page")
    for flag in $flags; do
        grep -qE -- "(^|[^a-z-])$flag([^a-z-]|$)" <<<"$text" ||
            { echo "FAIL: $name's --help names $flag, its page $page does not" >&2; failed=1; }
    done
    echo "$name: $(wc -w <<<"$flags") flags, each in $page"
done
exit "$failed"
