#!/usr/bin/env bash
# Validates the AppStream metadata as it stands in the sources and as `cmake --install` puts it
# beside the desktop entry it launches. Any error or warning fails; information and pedantic
# lines pass. Skips (77) where appstreamcli is not installed.
# Usage: metainfo_test.sh METAINFO BUILD_DIR WORKDIR
set -euo pipefail
METAINFO=$1
BUILD=$2
WORK=$3
command -v appstreamcli >/dev/null || { echo "appstreamcli is not installed"; exit 77; }
rm -rf "$WORK"
mkdir -p "$WORK"

failed=0
check() {
    local report status=0
    report=$("$@" 2>&1) || status=$?
    echo "$* (status $status):"
    echo "$report"
    if [ "$status" -ne 0 ] || grep -qE '^ *[EW]: ' <<<"$report"; then
        failed=1
    fi
}

check appstreamcli validate --no-net "$METAINFO"
cmake --install "$BUILD" --prefix "$WORK/usr" >/dev/null
check appstreamcli validate-tree --no-net "$WORK"
[ "$failed" -eq 0 ] || { echo "FAIL: the metainfo does not validate" >&2; exit 1; }
