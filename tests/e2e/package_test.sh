#!/usr/bin/env bash
# Installs the program twice, by `cmake --install` into a prefix and from the .deb that cpack
# makes into a fresh directory tree, checks the desktop entry, the icon, the metainfo, the manual
# pages, the copyright and the changelog, the example designs, the .deb's declared Qt dependencies, and starts the
# installed window under Xvfb.
# Usage: package_test.sh BUILD_DIR WORKDIR APP_ID
source "$(dirname "$0")/x_session.sh"
BUILD=$1
WORK=$2
APP_ID=$3
rm -rf "$WORK"
mkdir -p "$WORK"

check_tree() {
    local root=$1
    [ -x "$root/bin/radial-engine" ] || fail "no radial-engine in $root/bin"
    [ -x "$root/bin/radial-kinematics" ] || fail "no radial-kinematics in $root/bin"
    desktop-file-validate "$root/share/applications/$APP_ID.desktop" ||
        fail "the desktop entry does not validate"
    [ -s "$root/share/icons/hicolor/scalable/apps/radial-engine.svg" ] || fail "no icon"
    [ -s "$root/share/metainfo/$APP_ID.metainfo.xml" ] || fail "no metainfo"
    for page in radial-engine radial-kinematics; do
        gzip -t "$root/share/man/man1/$page.1.gz" || fail "no manual page for $page"
    done
    grep -q '^License: Expat$' "$root/share/doc/radial-engine/copyright" || fail "no copyright"
    gzip -dc "$root/share/doc/radial-engine/changelog.gz" | head -1 | grep -q '^radial-engine (' ||
        fail "no changelog"
    "$root/bin/radial-kinematics" | grep -q '^2,.*,240.24658203125,11$' ||
        fail "the installed radial-kinematics does not solve the engine"
    "$root/bin/radial-kinematics" --pin-table \
        --design "$root/share/doc/radial-engine/examples/nine-cylinder-aero.toml" |
        grep -q '^       9  *320.000' || fail "the installed example designs do not read"
}

cmake --install "$BUILD" --prefix "$WORK/prefix" >/dev/null
check_tree "$WORK/prefix"

(cd "$BUILD" && cpack -G DEB -B "$WORK/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$WORK"/deb/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[[ "$depends" == *libqt6widgets6* ]] || fail "the .deb does not declare Qt 6 Widgets"
[[ "$depends" == *libqt6gui6* ]] || fail "the .deb does not declare Qt 6 Gui"
dpkg-deb -x "$deb" "$WORK/root"
check_tree "$WORK/root/usr"

start_x
start_app "$WORK/root/usr/bin/radial-engine"
press Escape
wait_for_exit 5
[ "$EXIT_STATUS" = "0" ] || fail "the installed program ended with '$EXIT_STATUS'"
echo "package test passed: $(basename "$deb")"
