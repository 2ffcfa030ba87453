#!/bin/sh
# Installs the Debian packages Plenvor needs that are missing.
#   scripts/deps.sh run    what building and running takes
#   scripts/deps.sh unit   that, and what the unit tests take
#   scripts/deps.sh test   that, and what every test takes
#   scripts/deps.sh --list SET   prints the set, installing nothing
set -eu

run_packages="cmake g++ make qt6-base-dev qt6-base-private-dev libwayland-dev libsm-dev libxcb1-dev qt6-translations-l10n fonts-wine xdg-utils"
unit_packages="$run_packages qt6-wayland"
test_packages="$unit_packages clang-format clang-tidy dpkg-dev file lintian desktop-file-utils appstream xvfb xauth xdotool x11-utils imagemagick xclip openbox qt6-wayland orca speech-dispatcher-espeak-ng at-spi2-core dbus-daemon sway wtype wl-clipboard x11-session-utils x11-xserver-utils"

list=false
[ "${1:-}" = "--list" ] && list=true && shift
case "${1:-run}" in
    run) wanted=$run_packages ;;
    unit) wanted=$unit_packages ;;
    test) wanted=$test_packages ;;
    *) echo "usage: $0 [--list] run|unit|test" >&2; exit 2 ;;
esac
if $list; then
    echo "$wanted"
    exit 0
fi

missing=""
for p in $wanted; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "These packages are missing and there is no sudo to install them:$missing" >&2
    exit 1
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
