#!/bin/sh
# Makes docs/screenshot.png (one row, computed) and docs/screenshot-rows.png (three rows,
# one red source field) from the real program under Xvfb, and checks what they show:
# 900 for 1920 x 1080 and a source width of 1600, and a red field for "1600x".
#   scripts/screenshots.sh [path/to/plenvor]
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] || [ -z "${SCREENSHOTS_IN_XVFB:-}" ]; then
    exec env SCREENSHOTS_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
PLENVOR=$(realpath "${1:-build/plenvor}")
. tests/e2e/lib.sh

check() { [ "$1" = "$2" ] || { echo "screenshot check failed: $3: expected '$2', got '$1'" >&2; exit 1; }; }

# Whether the client-area rectangle (x y w h) shows more than ten clearly red pixels.
red() {
    e2e_geometry
    import -window root -crop "${3}x${4}+$((E2E_X + $1))+$((E2E_Y + $2))" +repage txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $3 > $4 + 80 && $3 > $5 + 80 {n++} END {exit n <= 10}'
}

# The window with its frame, as a user sees it.
shoot() {
    e2e_geometry
    w=$((E2E_W + E2E_FL + E2E_FR))
    h=$((E2E_H + E2E_FT + E2E_FB))
    import -window root -crop "${w}x${h}+$((E2E_X - E2E_FL))+$((E2E_Y - E2E_FT))" +repage "$1"
    echo "wrote $1 (${w}x${h})"
}

e2e_start_wm
mkdir -p docs

e2e_fresh_home
e2e_start
e2e_click_field width; e2e_type 1920; e2e_key Tab; e2e_type 1080
e2e_click_field source-height; e2e_type 900
e2e_click_field source-width; e2e_type 1600
check "$(e2e_read_field target-height)" "900" "target height of 1920 x 1080 for 1600"
check "$(e2e_read_field target-width)" "1600" "target width of 1920 x 1080 for 900"
e2e_click_field source-width; e2e_key End
shoot docs/screenshot.png
e2e_key Escape
e2e_wait_exit

e2e_start
e2e_key ctrl+KP_Add ctrl+KP_Add
e2e_wait "three rows" e2e_centred 3
e2e_click_field width 1; e2e_type 1280; e2e_key Tab; e2e_type 1024
e2e_click_field width 2; e2e_type 1366; e2e_key Tab; e2e_type 768
e2e_click_field source-height; e2e_type 900
e2e_click_field source-width; e2e_type 1600x
e2e_wait "\"1600x\" red" red 264 24 105 21
shoot docs/screenshot-rows.png
e2e_key Escape
e2e_wait_exit
rm -rf "$E2E_HOME"
e2e_stop_wm
