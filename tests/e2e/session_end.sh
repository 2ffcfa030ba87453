#!/bin/sh
# However the session ends, the list typed so far is stored: the real program on a display of
# its own, a list made by keys, the session ended the ways sessions end, with and without the
# session manager X11 ships (xsm), then the store read. A store that cannot keep the list says
# so. Run:
#   tests/e2e/session_end.sh build/plenvor
# Ends with one line "N passed, M failed".
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/lib.sh"

# Three rows, 1920 x 1080 in the first, as the list the user made.
has_list() {
    for line in 'Resolution%20Count=3' 'Resolution%200%20Width=1920' 'Resolution%200%20Height=1080'; do
        grep -qFx "$line" "$(e2e_settings_file)" 2>/dev/null || return 1
    done
}
stored_list() { has_list || fail "the list is not stored"; }
# Esc, as the user ends the program; the key's release may find the window gone.
end_with_escape() { xdotool key --window "$E2E_WIN" Escape 2>/dev/null; e2e_wait_exit; }
running() { kill -0 "$E2E_PID" 2>/dev/null || fail "the program ended"; }
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
# xsm on the test's display, as a desktop session runs its manager: SESSION_MANAGER is its
# address, which its start-up list writes down. Its key is in the runtime folder the program has.
start_xsm() {
    printf 'sh -c "echo \\$SESSION_MANAGER >%s/manager"\n' "$E2E_HOME" >"$E2E_HOME/.xsmstartup"
    HOME=$E2E_HOME XDG_RUNTIME_DIR=$E2E_HOME/run stdbuf -oL xsm -verbose >"$E2E_HOME/xsm.log" 2>&1 &
    SM_PID=$!
    e2e_wait "the session manager" test -s "$E2E_HOME/manager" || return 1
    SESSION_MANAGER=$(cat "$E2E_HOME/manager") && export SESSION_MANAGER
}
joined() { grep -q 'sent REGISTER CLIENT REPLY' "$E2E_HOME/xsm.log"; }
# The program on a display of its own, under xsm where "xsm" is given, and the list typed.
typed_under() {
    start_x || return 1
    [ "${1:-}" != xsm ] || start_xsm || return 1
    e2e_start || return 1
    [ "${1:-}" != xsm ] || e2e_wait "the program to join the session" joined || return 1
    typed_list_x11
}

# The display goes away, with or without a session manager, whose connection may break first.
x11_ending() {
    typed_under "${2:-}" || return 1
    case $1 in
        TERM | KILL) kill "-$1" "$X_PID" ;;
        windowkill) xdotool windowkill "$E2E_WIN" ;;
    esac
    e2e_wait_exit && ended_without_display && stored_list
}

# The manager asks for a save as xsm's checkpoint does (local): the list is stored and the
# program runs on. Then the logout (a local save with shutdown, then "die"): status 0, the last
# list stored, and the program leaves the session as it goes.
session_manager_saves() {
    typed_under xsm && kill -USR1 "$SM_PID" || return 1
    e2e_wait "the checkpoint to store the list" has_list && running || return 1
    xdotool key --window "$E2E_WIN" ctrl+KP_Subtract && kill -TERM "$SM_PID" &&
        e2e_wait_exit && expect "$E2E_STATUS" 0 "exit status" || return 1
    grep -qFx 'Resolution%20Count=2' "$(e2e_settings_file)" || fail "the logout did not store the list" || return 1
    grep -q 'received CONNECTION CLOSED' "$E2E_HOME/xsm.log" || fail "the program did not leave the session" || return 1
    ! grep -q 'IO error' "$E2E_HOME/xsm.log" || fail "the manager saw an I/O error"
}

# The manager goes away (killed, crashed, gone before the X server at logout): the list is
# stored as it goes, the program runs on, and Esc still ends it as usual.
session_manager_goes() {
    typed_under xsm && kill -KILL "$SM_PID" || return 1
    e2e_wait "the list to be stored" has_list && running || return 1
    end_with_escape && expect "$E2E_STATUS" 0 "exit status" &&
        expect "$(cat "$E2E_HOME/stderr")" "" "what the program said"
}

# An address left from a session that has gone, and one that is no address: nothing shows.
stale_session_manager() {
    start_x || return 1
    host=$(hostname)
    for address in "local/$host:@/tmp/.ICE-unix/1,unix/$host:/tmp/.ICE-unix/1,inet6/$host:1,inet/$host:1" "not-an-address"; do
        export SESSION_MANAGER="$address" && e2e_start && end_with_escape &&
            expect "$E2E_STATUS" 0 "exit status with '$address'" &&
            expect "$(cat "$E2E_HOME/stderr")" "" "what the program said with '$address'" || return 1
    done
}

# A store that cannot be written (a file where its folder should be): closed by the user, a box
# says so before the program ends; ended by the session, no box. Each time one line, status 1.
box_shows() { xdotool search --onlyvisible --name '^Korvane - Plenvor$' >/dev/null; }
store_fails() {
    start_x && rm -rf "$E2E_HOME/config" && touch "$E2E_HOME/config" || return 1
    said="plenvor: the list of resolutions was not stored in $(e2e_settings_file): Not a directory"
    e2e_start && xdotool key --window "$E2E_WIN" Escape && e2e_wait "the box" box_shows && running &&
        e2e_wait "the box to take Return and the program to end" sh -c \
            'xdotool search --onlyvisible --name "^Korvane - Plenvor\$" key --window %1 Return 2>/dev/null
             ! kill -0 "$0" 2>/dev/null' "$E2E_PID" && e2e_wait_exit &&
        expect "$E2E_STATUS" 1 "exit status after Esc" && expect "$(cat "$E2E_HOME/stderr")" "$said" "after Esc" ||
        return 1
    e2e_start && kill -TERM "$E2E_PID" && e2e_wait_exit && expect "$E2E_STATUS" 1 "exit status after SIGTERM" &&
        expect "$(cat "$E2E_HOME/stderr")" "$said" "after SIGTERM"
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
    X_PID= SM_PID= WL_PID=
    unset DISPLAY SESSION_MANAGER SWAYSOCK WAYLAND_DISPLAY
}
cleanup
for manager in "" xsm; do
    under=${manager:+", under xsm"}
    e2e_run "the X server ends$under" x11_ending TERM $manager; cleanup
    e2e_run "the X server dies$under" x11_ending KILL $manager; cleanup
    e2e_run "the connection is killed$under" x11_ending windowkill $manager; cleanup
done
e2e_run "the session manager saves and logs out" session_manager_saves; cleanup
e2e_run "the session manager goes away" session_manager_goes; cleanup
e2e_run "a stale or malformed session manager address" stale_session_manager; cleanup
e2e_run "a store that cannot be written" store_fails; cleanup
e2e_run "the compositor ends" wayland_ending TERM; cleanup
e2e_run "the compositor dies" wayland_ending KILL; cleanup
e2e_run "SIGTERM, again and again" terminated_again_and_again; cleanup
e2e_summary
