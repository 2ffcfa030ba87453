#!/bin/sh
# The Debian package: builds it with CPack, checks its metadata and desktop files, unpacks it
# into a scratch root and starts the installed program there under Xvfb: it must show its
# window with the "A_MAIN" icon and open its installed read-me with F1.
#   tests/package/run.sh BUILD_DIR      (run under xvfb-run with a 1280x1024 screen)
set -u
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {
    what=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        passed=$((passed + 1))
        echo "ok   $what"
    else
        failed=$((failed + 1))
        echo "FAIL $what"
        sed 's/^/    /' "$work/out" | head -n 20
    fi
}

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    echo "0 passed, 1 failed"
    exit 1
}
deb=$(ls "$work"/cpack/plenvor_*.deb)
root=$work/root
dpkg-deb -x "$deb" "$root"

depends=$(dpkg-deb -f "$deb" Depends)
check "the package declares Qt and its X11 plugin" sh -c "
    echo '$depends' | grep -q 'libqt6widgets6' && echo '$depends' | grep -q 'qt6-qpa-plugins'"
check "version 3.0.17" test "$(dpkg-deb -f "$deb" Version)" = "3.0.17"
for f in usr/bin/plenvor usr/share/plenvor/readme.txt \
         usr/share/applications/org.korvane.Plenvor.desktop \
         usr/share/metainfo/org.korvane.Plenvor.metainfo.xml \
         usr/share/icons/hicolor/32x32/apps/org.korvane.Plenvor.png \
         usr/share/icons/hicolor/256x256/apps/org.korvane.Plenvor.png \
         usr/share/icons/hicolor/scalable/apps/org.korvane.Plenvor.svg; do
    check "installs /$f" test -s "$root/$f"
done
check "the 32x32 icon is 32x32" sh -c "
    identify -format '%wx%h' '$root/usr/share/icons/hicolor/32x32/apps/org.korvane.Plenvor.png' | grep -qx 32x32"
check "the desktop entry validates" desktop-file-validate "$root/usr/share/applications/org.korvane.Plenvor.desktop"
check "the metainfo validates" appstreamcli validate --no-net "$root/usr/share/metainfo/org.korvane.Plenvor.metainfo.xml"

# The installed program, started from the scratch root.
PLENVOR=$root/usr/bin/plenvor
. "$here/../e2e/lib.sh"
installed_program_runs() {
    e2e_fresh_home
    e2e_start || return 1
    xprop -id "$E2E_WIN" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || { echo "no icon"; return 1; }
    e2e_key F1
    e2e_wait "the opener" test -s "$E2E_HOME/opened" || return 1
    opened=$(head -n 1 "$E2E_HOME/opened")
    [ "$opened" = "file://$root/usr/share/plenvor/readme.txt" ] || { echo "opened $opened"; return 1; }
    e2e_key Escape
    e2e_wait_exit || return 1
    [ "$E2E_STATUS" -eq 0 ] || { echo "exit status $E2E_STATUS"; return 1; }
    rm -rf "$E2E_HOME"
}
e2e_start_wm
check "the installed program starts, shows its icon and finds its read-me" installed_program_runs
e2e_stop_wm

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
