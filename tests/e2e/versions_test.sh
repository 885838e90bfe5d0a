#!/usr/bin/env bash
# One version everywhere: both programs' --version, the changelog's latest entry and the
# metainfo's latest release all give the project version from CMakeLists.txt. The window program
# answers without a display.
# Usage: versions_test.sh VERSION CHANGELOG METAINFO RADIAL_KINEMATICS [RADIAL_ENGINE]
set -uo pipefail
ERR_FILE=$(mktemp)
trap 'rm -f "$ERR_FILE"' EXIT
VERSION=$1
CHANGELOG=$2
METAINFO=$3
shift 3

failed=0
expect() {
    local what=$1 got=$2 wanted=$3
    if [ "$got" != "$wanted" ]; then
        echo "FAIL: $what gives '$got', not '$wanted'" >&2
        failed=1
    fi
}

for program in "$@"; do
    name=$(basename "$program")
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>"$ERR_FILE")
    status=$?
    expect "$name --version" "$out (status $status)" "$name $VERSION (status 0)"
    expect "$name --version on standard error" "$(cat "$ERR_FILE")" ""
done
expect "the changelog's latest entry" \
    "$(head -1 "$CHANGELOG" | sed -E 's/^radial-engine \(([^)]*)\).*/\1/')" "$VERSION"
expect "the metainfo's latest release" \
    "$(grep -m1 -o '<release version="[^"]*"' "$METAINFO" | cut -d'"' -f2)" "$VERSION"
[ "$failed" -eq 0 ] && echo "every part of the release says $VERSION"
exit "$failed"
