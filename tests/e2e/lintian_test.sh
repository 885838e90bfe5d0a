#!/usr/bin/env bash
# Builds the .deb with cpack and runs lintian on it: any error (E:) or warning (W:) fails.
# Information and pedantic lines are printed but pass. Skips (77) where lintian is not installed.
# Usage: lintian_test.sh BUILD_DIR WORKDIR
set -euo pipefail
BUILD=$1
WORK=$2
command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }
rm -rf "$WORK"
mkdir -p "$WORK"

(cd "$BUILD" && cpack -G DEB -B "$WORK" >/dev/null) || { echo "FAIL: cpack failed" >&2; exit 1; }
deb=$(ls "$WORK"/*.deb)
# lintian's own status would pass warnings; its report decides instead.
report=$(lintian --display-info --pedantic "$deb" 2>&1 || true)
echo "lintian $(basename "$deb"):"
echo "${report:-(nothing to report)}"
if grep -qE '^[EW]: ' <<<"$report"; then
    echo "FAIL: lintian reports errors or warnings" >&2
    exit 1
fi
