#!/bin/sh
# However the session ends, the list typed so far is stored: the real program on a display of
# its own, a list made by keys, the session ended the ways sessions end, then the store read.
#   tests/e2e/session_end.sh build/plenvor build/tests/session_manager
# Ends with one line "N passed, M failed".
set -u
PLENVOR=$(realpath "$1")
SESSION_MANAGER_PROGRAM=${2:-}
. "$(dirname "$0")/lib.sh"

# Three rows, 1920 x 1080 in the first, as the list the user made.
stored_list() {
    for line in 'Resolution%20Count=3' 'Resolution%200%20Width=1920' 'Resolution%200%20Height=1080'; do
        grep -qFx "$line" "$(e2e_settings_file)" 2>/dev/null || fail "not stored: $line" || return 1
    done
}
# Status 1 and one line of the program's own, saying why.
ended_without_display() {
    [ "$E2E_STATUS" -eq 1 ] || fail "exit status $E2E_STATUS" || return 1
    [ "$(grep -c '^plenvor: ' "$E2E_HOME/stderr")" -eq 1 ] &&
        grep -q '^plenvor: the display went away: ' "$E2E_HOME/stderr" || fail "not said why, once"
}

# An X server of the test's own, which the test may end, and the list typed in the program on
# it; the row's height copied answers only once every key before it is taken.
start_x() {
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$E2E_HOME/display" >/dev/null 2>&1 &
    X_PID=$!
    e2e_wait "the X server" test -s "$E2E_HOME/display" || return 1
    DISPLAY=:$(cat "$E2E_HOME/display") && export DISPLAY
}
typed_list_x11() {
    xdotool key --clearmodifiers ctrl+KP_Add ctrl+KP_Add Tab Tab && xdotool type 1920 &&
        xdotool key Tab && xdotool type 1080 &&
        e2e_wait "the program to take the keys" sh -c \
            'xdotool key ctrl+a ctrl+c; [ "$(xclip -selection clipboard -o 2>/dev/null)" = 1080 ]'
}
x11_ending() {
    start_x && e2e_start && typed_list_x11 || return 1
    case $1 in
        TERM | KILL) kill "-$1" "$X_PID" ;;
        windowkill) xdotool windowkill "$E2E_WIN" ;;
    esac
    e2e_wait_exit && ended_without_display && stored_list
}

# A session manager asks its programs to save, as at logout: the list is stored while the
# program runs; then it tells them to end.
session_manager_saves() {
    [ -x "$SESSION_MANAGER_PROGRAM" ] || fail "no session manager to test with (libsm-dev)" || return 1
    start_x && mkfifo "$E2E_HOME/manager-in" || return 1
    "$SESSION_MANAGER_PROGRAM" <"$E2E_HOME/manager-in" >"$E2E_HOME/manager-out" &
    SM_PID=$!
    exec 6>"$E2E_HOME/manager-in"
    e2e_wait "the session manager" test -s "$E2E_HOME/manager-out" || return 1
    SESSION_MANAGER=$(head -n 1 "$E2E_HOME/manager-out") && export SESSION_MANAGER
    e2e_start && e2e_wait "the program to join" grep -qx registered "$E2E_HOME/manager-out" &&
        typed_list_x11 && echo save >&6 || return 1
    e2e_wait "the program to save" grep -qx 'saved 1' "$E2E_HOME/manager-out" && stored_list || return 1
    echo die >&6
    e2e_wait_exit && [ "$E2E_STATUS" -eq 0 ] && stored_list
}

# A headless sway, typed into with wtype. It will not run as root: there it runs as nobody.
start_sway() {
    mkdir -m 700 "$E2E_HOME/sway"
    as=""
    if [ "$(id -u)" -eq 0 ]; then
        chown 65534:65534 "$E2E_HOME/sway" && chmod 755 "$E2E_HOME"
        as="setpriv --reuid=65534 --regid=65534 --clear-groups"
    fi
    echo 'output HEADLESS-1 resolution 1280x1024' >"$E2E_HOME/sway.conf"
    $as env HOME="$E2E_HOME/sway" XDG_RUNTIME_DIR="$E2E_HOME/sway" WLR_BACKENDS=headless \
        WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$E2E_HOME/sway.conf" >/dev/null 2>&1 &
    WL_PID=$!
    e2e_wait "sway" sh -c "ls '$E2E_HOME'/sway/sway-ipc.*.sock >/dev/null 2>&1" || return 1
    SWAYSOCK=$(ls "$E2E_HOME"/sway/sway-ipc.*.sock) && WAYLAND_DISPLAY=$(ls "$E2E_HOME"/sway/wayland-?) &&
        export SWAYSOCK WAYLAND_DISPLAY
}
wayland_ending() {
    start_sway && e2e_launch QT_QPA_PLATFORM=wayland || return 1
    e2e_wait "the window" swaymsg -q '[app_id="org.korvane.Plenvor"] focus' || return 1
    # A new virtual keyboard's first keys may be lost: the field is filled until its copy answers.
    e2e_wait "the program to take the keys" sh -c \
        'wtype -M ctrl a -m ctrl 5 -M ctrl a c -m ctrl; [ "$(wl-paste -n 2>/dev/null)" = 5 ]' || return 1
    wtype -k BackSpace -M ctrl -k KP_Add -m ctrl -M ctrl -k KP_Add -m ctrl -k Tab -k Tab 1920 -k Tab 1080 \
        -M ctrl a c -m ctrl &&
        e2e_wait "the program to take the keys" sh -c '[ "$(wl-paste -n 2>/dev/null)" = 1080 ]' || return 1
    kill "-$1" "$WL_PID"
    e2e_wait_exit && ended_without_display && stored_list
}

# Native Wayland, the program ended with SIGTERM again and again: each run leaves as Esc does,
# with status 0 and the list stored; one still running 30 s after the signal has hung, however
# busy the machine. It catches SIGTERM (bit 15 - 1 of the caught-signal mask) once it is up.
catches_term() {
    mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$E2E_PID/status" 2>/dev/null)
    [ -n "$mask" ] && [ $((0x$mask >> 14 & 1)) -eq 1 ]
}
terminated_again_and_again() {
    start_sway || return 1
    for i in $(seq 50); do
        e2e_launch QT_QPA_PLATFORM=wayland && E2E_TIMEOUT=60 e2e_wait "run $i to start" catches_term &&
            kill -TERM "$E2E_PID" && E2E_TIMEOUT=30 e2e_wait_exit &&
            expect "$E2E_STATUS" 0 "run $i's exit status" || return 1
    done
    grep -qFx 'Resolution%20Count=1' "$(e2e_settings_file)" || fail "not stored"
}

cleanup() {
    for pid in ${X_PID:-} ${SM_PID:-} ${WL_PID:-}; do kill -KILL "$pid" 2>/dev/null; done
    exec 6>&-
    X_PID= SM_PID= WL_PID=
    unset DISPLAY SESSION_MANAGER SWAYSOCK WAYLAND_DISPLAY
}
cleanup
e2e_run "the X server ends" x11_ending TERM; cleanup
e2e_run "the X server dies" x11_ending KILL; cleanup
e2e_run "the connection is killed" x11_ending windowkill; cleanup
e2e_run "a session manager saves" session_manager_saves; cleanup
e2e_run "the compositor ends" wayland_ending TERM; cleanup
e2e_run "the compositor dies" wayland_ending KILL; cleanup
e2e_run "SIGTERM, again and again" terminated_again_and_again; cleanup
e2e_summary
