#!/bin/sh
# End-to-end: the real program in an X display with a window manager, driven with keys and
# clicks as a user would, for what only the real program and window manager show. Run:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/e2e/run.sh build/plenvor
# Ends with one line "N passed, M failed".
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/lib.sh"

fail() { echo "    $*"; return 1; }
expect() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }
stored() { grep -qFx "$1" "$(e2e_settings_file)" || fail "not stored: $1"; }
# The client area's height for a number of rows, and the outer frame centred on the screen.
expect_rows_centred() {
    e2e_geometry
    expect "$E2E_H" $((81 + 28 * ($1 - 1))) "height for $1 rows" || return 1
    cx=$((2 * E2E_X - E2E_FL + E2E_W + E2E_FR - 1280)) cy=$((2 * E2E_Y - E2E_FT + E2E_H + E2E_FB - 1024))
    [ "${cx#-}" -le 2 ] && [ "${cy#-}" -le 2 ] || fail "not centred: off by $cx/2, $cy/2"
}

# Typing, rows, a red source field, Esc, and the list back at the next start.
a_session_and_the_next() {
    e2e_start || return 1
    expect_rows_centred 1 || return 1
    xprop -id "$E2E_WIN" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "no icon" || return 1
    xprop -id "$E2E_WIN" WM_NORMAL_HINTS | grep -q 'minimum size: 490 by 81' || fail "resizable" || return 1
    e2e_key ctrl+KP_Add ctrl+KP_Add ctrl+plus ctrl+shift+KP_Add ctrl+KP_Subtract
    expect_rows_centred 2 || return 1
    e2e_click_field width 0 && e2e_type 1920 && e2e_key Tab && e2e_type 1080
    e2e_click_field width 1 && e2e_type ' 12 '
    e2e_click_field source-width && e2e_type 1600x
    [ "$(e2e_red_pixels 264 24 105 21)" -gt 10 ] || fail "source width not red" || return 1
    expect "$(e2e_read_field target-height)" 900 "target height" || return 1
    e2e_key Escape && e2e_wait_exit && expect "$E2E_STATUS" 0 "exit status" || return 1
    e2e_start && expect_rows_centred 2 || return 1
    expect "$(e2e_read_field height 0)" 1080 "restored height" || return 1
    expect "$(e2e_read_field width 1)" ' 12 ' "restored width"
}

# The window manager's close button and the end of the session store the list too.
closing_stores_the_list() {
    for how in alt+F4 TERM HUP INT; do
        e2e_start || return 1
        e2e_click_field width && e2e_key ctrl+a && e2e_type "$how"
        case "$how" in alt+*) e2e_key "$how" ;; *) kill -"$how" "$E2E_PID" ;; esac
        e2e_wait_exit && expect "$E2E_STATUS" 0 "exit status after $how" || return 1
        stored "Resolution%200%20Width=$how" || return 1
    done
}

# Shift+F1 shows the about box; Esc closes it and leaves the window. (F1 is the package test's.)
the_about_box() {
    e2e_start && e2e_key shift+F1 || return 1
    e2e_wait "the about box" sh -c 'xdotool search --onlyvisible --name "^О программе Plenvor" >/dev/null' || return 1
    e2e_key Escape
    e2e_wait "the about box to close" sh -c '! xdotool search --onlyvisible --name "^О программе" >/dev/null'
    kill -0 "$E2E_PID" || fail "the program ended with the about box"
}

# A failed command ends the program through the error report, after storing the list.
a_failed_command_reports_and_keeps_the_list() {
    real=$PLENVOR PLENVOR=$E2E_HOME/bin/plenvor-without-read-me
    cp "$real" "$PLENVOR"
    e2e_start; started=$?; PLENVOR=$real
    [ "$started" -eq 0 ] && e2e_click_field width && e2e_type 1366 && e2e_key F1 || return 1
    e2e_wait "the error report" sh -c 'xdotool search --onlyvisible --name "^Korvane - Plenvor$" >/dev/null' || return 1
    e2e_key Return && e2e_wait_exit && expect "$E2E_STATUS" 1 "exit status" || return 1
    grep -q '0x80070002' "$E2E_HOME/stderr" || fail "no status in the report" || return 1
    stored 'Resolution%200%20Width=1366'
}

# No display, one that is not there, one that refuses this user, no such platform plugin.
display_failures_say_so_in_one_line() {
    # A server that asks for a cookie this user lacks, on a display number it picks itself.
    xauth -q -f "$E2E_HOME/auth" add :0 . 0123456789abcdef0123456789abcdef 2>/dev/null
    Xvfb -displayfd 3 -auth "$E2E_HOME/auth" 3>"$E2E_HOME/display" >/dev/null 2>&1 &
    server=$!
    e2e_wait "the refusing display" test -s "$E2E_HOME/display"
    refusing=$(cat "$E2E_HOME/display")
    absent=$((refusing + 1))
    while [ -e "/tmp/.X11-unix/X$absent" ]; do absent=$((absent + 1)); done
    for how in "-u DISPLAY -u WAYLAND_DISPLAY" "DISPLAY=:$absent" \
        "DISPLAY=:$refusing XAUTHORITY=$E2E_HOME/none" QT_QPA_PLATFORM=nonexistent; do
        out=$(env -u QT_QPA_PLATFORM $how "$PLENVOR" 2>&1)
        expect "$?" 1 "exit status with $how" && expect "$(echo "$out" | wc -l)" 1 "lines: $out" || break
    done
    status=$?
    kill "$server"
    return $status
}

e2e_start_wm || exit 1
for t in a_session_and_the_next closing_stores_the_list the_about_box \
    a_failed_command_reports_and_keeps_the_list display_failures_say_so_in_one_line; do
    e2e_run "$t" "$t"
done
e2e_stop_wm
e2e_summary
