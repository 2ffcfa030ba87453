#!/bin/sh
# A list longer than the monitor it opens on, on monitors of different sizes declared with
# RandR, with a window manager: the window stays on its monitor, as tall as it, and shows the
# focused field. Run in a display that keeps the monitors between clients:
#   xvfb-run -a -s "-screen 0 3286x2048x24 -noreset" tests/e2e/monitors.sh build/plenvor
# Ends with one line "N passed, M failed".
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/lib.sh"

# monitors NAME=WxH+X+Y...: the display's monitors, and nothing else.
monitors() {
    for old in $(xrandr --listmonitors | awk 'NR > 1 { print $2 }' | tr -d '+*'); do
        xrandr --delmonitor "$old" >/dev/null 2>&1
    done
    for m in "$@"; do
        name=${m%%=*} g=${m#*=}
        w=${g%%x*} rest=${g#*x} h=${rest%%+*}
        xrandr --setmonitor "$name" "$w/300x$h/200+${rest#*+}" none || return 1
    done
}

# A stored list of ROWS rows, the Nth 100N x 700 (1001x700, 1002x700...).
plant() {
    mkdir -p "$E2E_HOME/config/Korvane"
    awk -v n="$1" 'BEGIN { printf "[General]\nResolution%%20Count=%d\n", n
        for (i = 0; i < n; i++) printf "Resolution%%20%d%%20Width=%d\nResolution%%20%d%%20Height=700\n", i, 1001 + i, i }' \
        >"$(e2e_settings_file)"
}

# on_monitor X Y W H: the window, frame included, stands wholly on that monitor, as tall as it.
on_monitor() {
    e2e_geometry
    [ "$E2E_FRAMED" -gt 0 ] && [ "$((E2E_X - E2E_FL))" -ge "$1" ] &&
        [ "$((E2E_X + E2E_W + E2E_FR))" -le "$(($1 + $3))" ] &&
        [ "$((E2E_Y - E2E_FT))" -eq "$2" ] && [ "$((E2E_Y + E2E_H + E2E_FB))" -eq "$(($2 + $4))" ]
}
# start_on X Y W H: starts the program and waits for its window on that monitor, as tall as it.
start_on() {
    E2E_PLACED="on_monitor $*"
    e2e_start || fail "the window stands at $((E2E_X - E2E_FL)),$((E2E_Y - E2E_FT)) to" \
        "$((E2E_X + E2E_W + E2E_FR)),$((E2E_Y + E2E_H + E2E_FB))"
    ok=$?
    E2E_PLACED=
    return $ok
}
framed() { e2e_geometry && [ "$E2E_FRAMED" -gt 0 ]; }
high() { e2e_geometry && [ "$E2E_H" -eq "$1" ]; }

# centred_on X Y W H ROWS: the window is as the program puts it, ROWS rows high, centred there.
centred_on() {
    e2e_geometry
    [ "$E2E_H" -eq $((81 + 28 * ($5 - 1))) ] || return 1
    cx=$((2 * (E2E_X - $1) - E2E_FL + E2E_W + E2E_FR - $3))
    cy=$((2 * (E2E_Y - $2) - E2E_FT + E2E_H + E2E_FB - $4))
    [ "${cx#-}" -le 2 ] && [ "${cy#-}" -le 2 ]
}

# read_at X Y: the text of the field at that place in the window's client area, as a user
# clicking there and copying it reads it.
read_at() {
    e2e_geometry
    xdotool mousemove --sync $((E2E_X + $1)) $((E2E_Y + $2)) click 1
    printf 'unread' | xclip -selection clipboard -i >/dev/null 2>&1
    e2e_key ctrl+a ctrl+c
    e2e_wait "the copy at $1,$2" sh -c '[ "$(xclip -selection clipboard -o 2>/dev/null)" != unread ]' &&
        xclip -selection clipboard -o 2>/dev/null
}

# The focused field is on the screen: at the start, after Shift+Tab back to the last row and
# after Tabs on to the first field; then, rows removed until the list fits, the window is
# centred on its monitor as the program puts it.
walk_the_list() {
    e2e_type 1600 && expect "$(read_at 312 34)" 1600 "the source width at the start" || return 1
    e2e_key shift+Tab shift+Tab shift+Tab shift+Tab
    expect "$(read_at 60 $((E2E_H - 12)))" 1030 "the last row's width, at the window's foot" || return 1
    e2e_key Tab Tab Tab Tab
    expect "$(read_at 312 34)" 1600 "the source width, back at the top"
}

# 1920x1080 and 1366x768 side by side, the window opening on the smaller under the pointer.
mixed_monitors() {
    monitors big=1920x1080+0+0 small=1366x768+1920+0 && xdotool mousemove 2600 400 && plant 30 &&
        start_on 1920 0 1366 768 && walk_the_list || return 1
    e2e_key $(printf 'ctrl+KP_Subtract %.0s' $(seq 8))
    e2e_wait "22 rows centred on the smaller monitor" centred_on 1920 0 1366 768 22
}

# Two monitors stacked: the window stays on the upper one it opened on.
stacked_monitors() {
    monitors upper=1280x1024+0+0 lower=1280x1024+0+1024 && xdotool mousemove 600 500 &&
        plant 45 && start_on 0 0 1280 1024
}

# At a scale of 1.5 the window keeps its width, 490 pixels of the form's, as rows come and go.
a_fractional_scale() {
    monitors one=1280x1024+0+0 && plant 1 && E2E_PLACED=framed e2e_start QT_SCALE_FACTOR=1.5 &&
        expect "$E2E_W" 735 "the width at the start" || return 1
    e2e_key ctrl+KP_Add ctrl+KP_Add ctrl+KP_Subtract
    e2e_wait "two rows at 1.5, 164 pixels high" high 164 && expect "$E2E_W" 735 "the width"
}

# F1 where the desktop cannot open the read-me: the program's own read-me window opens on the
# main window's monitor, not on the first one.
the_read_me_beside_it() {
    printf '#!/bin/sh\nexit 1\n' >"$E2E_HOME/bin/xdg-open"
    monitors big=1920x1080+0+0 small=1366x768+1920+0 && xdotool mousemove 2600 400 && plant 1 &&
        E2E_PLACED=framed e2e_start || return 1
    e2e_key F1
    e2e_wait "the read-me window" sh -c 'xdotool search --onlyvisible --name "^Справка — Plenvor$" >/dev/null' ||
        return 1
    E2E_WIN=$(xdotool search --onlyvisible --name '^Справка — Plenvor$' | head -n 1) && e2e_geometry
    [ "$E2E_X" -ge 1920 ] && [ "$((E2E_X + E2E_W))" -le 3286 ] && [ "$((E2E_Y + E2E_H))" -le 768 ] ||
        fail "the read-me window stands at $E2E_X,$E2E_Y, ${E2E_W}x$E2E_H"
}

e2e_start_wm || exit 1
for t in mixed_monitors stacked_monitors a_fractional_scale the_read_me_beside_it; do
    e2e_run "$t" "$t"
done
e2e_stop_wm
e2e_summary
