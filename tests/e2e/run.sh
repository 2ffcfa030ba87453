#!/bin/sh
# End-to-end: the real program in an X display with a window manager, driven with keys and
# clicks as a user would, for what only the real program and window manager show. Run:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/e2e/run.sh build/plenvor
# Ends with one line "N passed, M failed".
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/lib.sh"

# Typing, rows, Esc, and the list back at the next start.
a_session_and_the_next() {
    e2e_start || return 1
    xprop -id "$E2E_WIN" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "no icon" || return 1
    xprop -id "$E2E_WIN" WM_NORMAL_HINTS | grep -q 'minimum size: 490 by 81' || fail "resizable" || return 1
    e2e_key ctrl+KP_Add ctrl+KP_Add ctrl+plus ctrl+shift+KP_Add ctrl+KP_Subtract
    e2e_wait "two rows, centred" e2e_centred 2 || return 1
    e2e_click_field width 0 && e2e_type 1920 && e2e_key Tab && e2e_type 1080
    e2e_click_field width 1 && e2e_type ' 12 '
    e2e_click_field source-width && e2e_type 1600x
    expect "$(e2e_read_field target-height)" 900 "target height" || return 1
    e2e_key Escape && e2e_wait_exit && expect "$E2E_STATUS" 0 "exit status" || return 1
    e2e_start && e2e_centred 2 || fail "not two rows, centred, at the next start" || return 1
    expect "$(e2e_read_field height 0)" 1080 "restored height" &&
        expect "$(e2e_read_field width 1)" ' 12 ' "restored width"
}

# The window manager's close command stores the list too.
closing_stores_the_list() {
    e2e_start && e2e_click_field width && e2e_type 1366 && e2e_key alt+F4 || return 1
    e2e_wait_exit && expect "$E2E_STATUS" 0 "exit status" &&
        { grep -qFx 'Resolution%200%20Width=1366' "$(e2e_settings_file)" || fail "not stored"; }
}

e2e_start_wm || exit 1
for t in a_session_and_the_next closing_stores_the_list; do
    e2e_run "$t" "$t"
done
e2e_stop_wm
e2e_summary
