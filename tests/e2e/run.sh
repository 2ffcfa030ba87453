#!/bin/sh
# End-to-end tests: the real program in an X display with a window manager, driven with
# keys and mouse clicks as a user would. Run under xvfb-run with a 1280x1024 screen:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/e2e/run.sh build/plenvor
# Ends with one line "N passed, M failed".
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/lib.sh"

SCREEN_W=1280
SCREEN_H=1024

fail() { echo "    $*"; return 1; }
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }

# The outer frame's centre must be the screen's, to the pixel.
expect_centred() {
    e2e_geometry
    e2e_frame
    cx2=$((2 * (E2E_X - E2E_FL) + E2E_W + E2E_FL + E2E_FR))
    cy2=$((2 * (E2E_Y - E2E_FT) + E2E_H + E2E_FT + E2E_FB))
    dx=$((cx2 - SCREEN_W)); dy=$((cy2 - SCREEN_H))
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] ||
        fail "not centred: frame centre twice is ${cx2}x${cy2}, screen ${SCREEN_W}x${SCREEN_H}"
}

stored() { grep -F -x "$1" "$(e2e_settings_file)" >/dev/null 2>&1 || fail "not stored: $1"; }

test_window_caption_size_and_centring() {
    e2e_start || return 1
    expect_eq "$(xdotool getwindowname "$E2E_WIN")" "Plenvor" "caption" || return 1
    e2e_geometry
    expect_eq "${E2E_W}x${E2E_H}" "490x81" "client area" || return 1
    expect_centred || return 1
    xprop -id "$E2E_WIN" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "no 32x32 icon" || return 1
    xprop -id "$E2E_WIN" WM_NORMAL_HINTS | grep -q 'minimum size: 490 by 81' || fail "frame can be resized"
}

test_tab_walks_the_fields_in_a_cycle() {
    e2e_start || return 1
    e2e_type 11; e2e_key Tab
    e2e_type 22; e2e_key Tab
    e2e_type 33; e2e_key Tab
    e2e_type 44; e2e_key Tab
    e2e_type 55; e2e_key Tab   # target fields take no typing
    e2e_type 66; e2e_key Tab
    expect_eq "$(e2e_read_focused)" "11" "back in the source width" || return 1
    expect_eq "$(e2e_read_field source-height)" "22" "source height" || return 1
    expect_eq "$(e2e_read_field width)" "33" "resolution width" || return 1
    expect_eq "$(e2e_read_field height)" "44" "resolution height" || return 1
    expect_eq "$(e2e_read_field target-width)" "" "target width" || return 1
}

test_sources_compute_every_row() {
    e2e_start || return 1
    e2e_key ctrl+KP_Add
    e2e_click_field width 0; e2e_type 1920; e2e_key Tab; e2e_type 1080
    e2e_click_field width 1; e2e_type 1280; e2e_key Tab; e2e_type 1024
    e2e_click_field source-width; e2e_type 1600
    e2e_click_field source-height; e2e_type 900
    expect_eq "$(e2e_read_field target-height 0)" "900" "row 0 target height" || return 1
    expect_eq "$(e2e_read_field target-height 1)" "1280" "row 1 target height" || return 1
    expect_eq "$(e2e_read_field target-width 0)" "1600" "row 0 target width" || return 1
    expect_eq "$(e2e_read_field target-width 1)" "1125" "row 1 target width" || return 1
}

test_a_red_source_field_recovers() {
    e2e_start || return 1
    e2e_click_field width; e2e_type 1920; e2e_key Tab; e2e_type 1080
    e2e_click_field source-width; e2e_type 1600x
    red=$(e2e_red_pixels 264 24 105 21)
    [ "$red" -gt 10 ] || fail "source width not red ($red red pixels)" || return 1
    expect_eq "$(e2e_read_field target-height)" "900" "target kept" || return 1
    e2e_click_field source-width; e2e_key End BackSpace
    red=$(e2e_red_pixels 264 24 105 21)
    expect_eq "$red" "0" "red pixels after the fix"
}

test_keypad_commands_add_and_remove_rows() {
    e2e_start || return 1
    e2e_key ctrl+KP_Add ctrl+KP_Add
    e2e_geometry
    expect_eq "$E2E_H" "137" "height with three rows" || return 1
    expect_centred || return 1
    e2e_key ctrl+plus ctrl+minus ctrl+shift+KP_Add
    e2e_geometry
    expect_eq "$E2E_H" "137" "height after keys that are no commands" || return 1
    e2e_key ctrl+KP_Subtract
    e2e_geometry
    expect_eq "$E2E_H" "109" "height with two rows" || return 1
    expect_centred || return 1
    e2e_key ctrl+KP_Subtract ctrl+KP_Subtract
    e2e_geometry
    expect_eq "$E2E_H" "81" "row 0 stays" || return 1
    expect_centred
}

test_f1_opens_the_read_me() {
    e2e_start || return 1
    e2e_key F1
    e2e_wait "the opener" test -s "$E2E_HOME/opened" || return 1
    url=$(head -n 1 "$E2E_HOME/opened")
    path=${url#file://}
    case "$path" in */readme.txt) ;; *) fail "opened '$url'" || return 1 ;; esac
    grep -q 'Plenvor' "$path" || fail "the read-me at $path is not Plenvor's"
}

test_shift_f1_shows_the_about_box() {
    e2e_start || return 1
    e2e_key shift+F1
    e2e_wait "the about box" sh -c 'xdotool search --name "^О программе Plenvor" >/dev/null' || return 1
    e2e_key Escape
    e2e_wait "the about box to close" sh -c '! xdotool search --onlyvisible --name "^О программе Plenvor" >/dev/null' || return 1
    kill -0 "$E2E_PID" || fail "the program ended with the about box" || return 1
    e2e_geometry
    expect_eq "$E2E_H" "81" "rows after the about box"
}

test_esc_stores_the_list_and_exits_0() {
    e2e_start || return 1
    e2e_key ctrl+KP_Add
    e2e_click_field width 1; e2e_type 1280; e2e_key Tab; e2e_type 1024
    e2e_key Escape
    e2e_wait_exit || return 1
    expect_eq "$E2E_STATUS" "0" "exit status" || return 1
    stored 'Resolution%20Count=2' && stored 'Resolution%201%20Width=1280' &&
        stored 'Resolution%201%20Height=1024'
}

test_sigterm_stores_the_list() {
    e2e_start || return 1
    e2e_click_field width; e2e_type 800
    kill -TERM "$E2E_PID"
    e2e_wait_exit || return 1
    expect_eq "$E2E_STATUS" "0" "exit status" || return 1
    stored 'Resolution%200%20Width=800'
}

test_the_close_button_stores_the_list() {
    e2e_start || return 1
    e2e_click_field height; e2e_type 600
    e2e_key alt+F4   # the window manager's close command
    e2e_wait_exit || return 1
    expect_eq "$E2E_STATUS" "0" "exit status" || return 1
    stored 'Resolution%200%20Height=600'
}

test_a_restart_restores_rows_and_texts() {
    e2e_start || return 1
    e2e_key ctrl+KP_Add ctrl+KP_Add
    e2e_click_field width 0; e2e_type 1920; e2e_key Tab; e2e_type 1080
    e2e_click_field width 1; e2e_type ' 12 '
    e2e_click_field height 2; e2e_type 'abc'
    e2e_key Escape
    e2e_wait_exit || return 1
    e2e_start || return 1
    e2e_geometry
    expect_eq "$E2E_H" "137" "restored height" || return 1
    expect_centred || return 1
    expect_eq "$(e2e_read_field width 0)" "1920" "row 0 width" || return 1
    expect_eq "$(e2e_read_field height 0)" "1080" "row 0 height" || return 1
    expect_eq "$(e2e_read_field width 1)" " 12 " "row 1 width" || return 1
    expect_eq "$(e2e_read_field height 1)" "" "row 1 height" || return 1
    expect_eq "$(e2e_read_field height 2)" "abc" "row 2 height"
}

test_hangup_and_interrupt_store_the_list_too() {
    for sig in HUP INT; do
        e2e_start || return 1
        e2e_click_field width; e2e_key ctrl+a; e2e_type "$sig"
        kill -"$sig" "$E2E_PID"
        e2e_wait_exit || return 1
        expect_eq "$E2E_STATUS" "0" "exit status after SIG$sig" || return 1
        stored "Resolution%200%20Width=$sig" || return 1
    done
}

test_a_corrupt_settings_file_opens_as_one_row() {
    mkdir -p "$(dirname "$(e2e_settings_file)")"
    head -c 4096 /dev/urandom >"$(e2e_settings_file)"
    e2e_start || return 1
    e2e_geometry
    expect_eq "$E2E_H" "81" "rows from a corrupt file" || return 1
    e2e_click_field width; e2e_type 1920
    e2e_key Escape
    e2e_wait_exit || return 1
    expect_eq "$E2E_STATUS" "0" "exit status" || return 1
    stored 'Resolution%200%20Width=1920'
}

# A failed command ends the program through the error report, after storing the list.
test_a_failed_command_reports_and_keeps_the_list() {
    real=$PLENVOR
    PLENVOR="$E2E_HOME/bin/plenvor-without-read-me"
    cp "$real" "$PLENVOR"
    e2e_start
    started=$?
    PLENVOR=$real
    [ "$started" -eq 0 ] || return 1
    e2e_click_field width; e2e_type 1366
    e2e_key F1
    e2e_wait "the error report" sh -c 'xdotool search --onlyvisible --name "^Korvane - Plenvor$" >/dev/null' || return 1
    e2e_key Return
    e2e_wait_exit || return 1
    expect_eq "$E2E_STATUS" "1" "exit status" || return 1
    grep -q '0x80070002' "$E2E_HOME/stderr" || fail "no status in the report" || return 1
    stored 'Resolution%200%20Width=1366'
}

test_without_a_display_it_says_so_in_one_line() {
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PLENVOR" 2>&1)
    status=$?
    expect_eq "$status" "1" "exit status" || return 1
    expect_eq "$(printf '%s\n' "$out" | wc -l)" "1" "lines" || return 1
    case "$out" in *display*) ;; *) fail "says: $out" ;; esac
}

e2e_start_wm || exit 1
tests=$(sed -n 's/^\(test_[a-z0-9_]*\)() {$/\1/p' "$0")
for t in $tests; do
    [ -z "${E2E_ONLY:-}" ] || [ "$t" = "$E2E_ONLY" ] || continue
    e2e_run "$t" "$t"
done
e2e_stop_wm
e2e_summary
