#!/bin/sh
# The Debian package: builds it with CPack, checks its metadata, unpacks it into a scratch root
# and starts the installed program there: it shows its icon and opens its installed read-me.
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/package/run.sh BUILD_DIR VERSION
set -u
build=$(realpath "$1")
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {
    what=$1; shift
    if "$@" >"$work/out" 2>&1; then
        passed=$((passed + 1)) && echo "ok   $what"
    else
        failed=$((failed + 1)) && echo "FAIL $what" && sed 's/^/    /' "$work/out" | head -n 20
    fi
}

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/cpack/plenvor_*.deb)
root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
check "version $version, depending on Qt, its X11 plugin and the Qt it was built with" sh -c "
    [ '$(dpkg-deb -f "$deb" Version)' = $version ] && dpkg-deb -f '$deb' Depends |
        grep 'libqt6widgets6' | grep 'qt6-qpa-plugins' | grep -Eq 'qt6-base(-private)?-abi \(= '"
check "recommending Wayland's plugin" sh -c "dpkg-deb -f '$deb' Recommends | grep -q qt6-wayland"
check "the files are installed" ls "$root/usr/bin/plenvor" "$share/plenvor/readme.txt" \
    "$share/icons/hicolor/scalable/apps/org.korvane.Plenvor.svg"
check "the 32x32 icon is 32x32" sh -c "
    identify -format '%wx%h' '$share/icons/hicolor/32x32/apps/org.korvane.Plenvor.png' | grep -qx 32x32"
check "the desktop entry validates" desktop-file-validate "$share/applications/org.korvane.Plenvor.desktop"
check "the metainfo validates, pedantically" appstreamcli validate --pedantic --no-net \
    "$share/metainfo/org.korvane.Plenvor.metainfo.xml"
check "lintian finds no error or warning" lintian --fail-on error,warning "$deb"
check "a Debian copyright file, a changelog and a manual page" ls "$share/doc/plenvor/copyright" \
    "$share/doc/plenvor/changelog.gz" "$share/man/man1/plenvor.1.gz"

PLENVOR=$root/usr/bin/plenvor
. "$(dirname "$(realpath "$0")")/../e2e/lib.sh"
installed_program_runs() {
    e2e_start || return 1
    xprop -id "$E2E_WIN" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || { echo "no icon"; return 1; }
    e2e_key F1 && e2e_wait "the opener" test -s "$E2E_HOME/opened" || return 1
    grep -qx "$share/plenvor/readme.txt" "$E2E_HOME/opened" || { cat "$E2E_HOME/opened"; return 1; }
    e2e_key Escape && e2e_wait_exit && [ "$E2E_STATUS" -eq 0 ]
}
e2e_start_wm && e2e_fresh_home
check "the installed program starts, shows its icon and finds its read-me" installed_program_runs
e2e_stop_wm && rm -rf "$E2E_HOME"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
