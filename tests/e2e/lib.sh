# Helpers for driving the real program in an X display with xdotool. Sourced by the
# end-to-end suite and the screenshot script; needs DISPLAY set and $PLENVOR pointing at
# the program. Every wait is bounded.

E2E_TIMEOUT=${E2E_TIMEOUT:-15}

# Starts a window manager, as a user's desktop has one.
# Openbox names itself before it manages new windows; its start-up command runs after.
e2e_start_wm() {
    ready=$(mktemp -u)
    openbox --startup "touch $ready" >/dev/null 2>&1 &
    E2E_WM=$!
    e2e_wait "the window manager" test -e "$ready"
    rm -f "$ready"
}

e2e_stop_wm() {
    kill "$E2E_WM" 2>/dev/null || true
    wait "$E2E_WM" 2>/dev/null || true
}

# e2e_wait DESCRIPTION COMMAND...: runs the command until it succeeds or time runs out.
e2e_wait() {
    e2e_what=$1
    shift
    e2e_tries=$((E2E_TIMEOUT * 10))
    while [ "$e2e_tries" -gt 0 ]; do
        "$@" && return 0
        sleep 0.1
        e2e_tries=$((e2e_tries - 1))
    done
    echo "    timed out waiting for $e2e_what" >&2
    return 1
}

# A fresh home and config folder, and a desktop opener that only records what it was given.
e2e_fresh_home() {
    E2E_HOME=$(mktemp -d)
    mkdir -p "$E2E_HOME/config" "$E2E_HOME/bin" "$E2E_HOME/run"
    chmod 700 "$E2E_HOME/run"
    cat >"$E2E_HOME/bin/xdg-open" <<OPENER
#!/bin/sh
printf '%s\n' "\$*" >>"$E2E_HOME/opened"
OPENER
    chmod +x "$E2E_HOME/bin/xdg-open"
}

e2e_settings_file() { echo "$E2E_HOME/config/Korvane/Plenvor.conf"; }

# Starts the program in the current home and waits for its window.
e2e_start() {
    HOME=$E2E_HOME XDG_CONFIG_HOME=$E2E_HOME/config XDG_RUNTIME_DIR=$E2E_HOME/run \
        PATH=$E2E_HOME/bin:$PATH LC_ALL=C.UTF-8 XDG_CURRENT_DESKTOP= "$PLENVOR" >"$E2E_HOME/stdout" 2>"$E2E_HOME/stderr" &
    E2E_PID=$!
    e2e_wait "the window" e2e_window_or_gone || return 1
    kill -0 "$E2E_PID" 2>/dev/null || { echo "    the program ended before showing its window"; return 1; }
    e2e_wait "the keyboard focus" e2e_is_focused || return 1
    # The window manager tells its frame after mapping; the window then settles.
    sleep 0.3
}

# Succeeds once the window is there, or once the program has ended without one.
e2e_window_or_gone() {
    e2e_find_window || ! kill -0 "$E2E_PID" 2>/dev/null
}

e2e_find_window() {
    E2E_WIN=$(xdotool search --all --onlyvisible --pid "$E2E_PID" --name '^Plenvor$' 2>/dev/null | head -n 1)
    [ -n "$E2E_WIN" ]
}

e2e_is_focused() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$E2E_WIN" ] || xdotool windowfocus "$E2E_WIN" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$E2E_WIN" ]
}

# Waits for the program to end and sets E2E_STATUS to its exit status.
e2e_wait_exit() {
    e2e_wait "the program to end" sh -c "! kill -0 $E2E_PID 2>/dev/null" || {
        kill -KILL "$E2E_PID" 2>/dev/null
        E2E_STATUS=137
        return 1
    }
    wait "$E2E_PID"
    E2E_STATUS=$?
    return 0
}

e2e_key() { xdotool key --clearmodifiers --delay 40 "$@"; sleep 0.15; }
e2e_type() { xdotool type --clearmodifiers --delay 40 -- "$1"; sleep 0.15; }

# The text of the focused field, through the clipboard as a user would copy it.
e2e_read_focused() {
    # xclip stays behind to own the selection: it must not hold the caller's output open.
    printf '' | xclip -selection clipboard -i >/dev/null 2>&1
    e2e_key ctrl+a ctrl+c
    xclip -selection clipboard -o 2>/dev/null
}

# Client-area geometry: sets E2E_X, E2E_Y, E2E_W, E2E_H.
e2e_geometry() {
    info=$(xwininfo -id "$E2E_WIN")
    E2E_X=$(echo "$info" | awk '/Absolute upper-left X/ {print $4}')
    E2E_Y=$(echo "$info" | awk '/Absolute upper-left Y/ {print $4}')
    E2E_W=$(echo "$info" | awk '/^ *Width:/ {print $2}')
    E2E_H=$(echo "$info" | awk '/^ *Height:/ {print $2}')
}

# The window manager's frame around the client: sets E2E_FL, E2E_FR, E2E_FT, E2E_FB.
e2e_frame() {
    extents=$(xprop -id "$E2E_WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$extents" ] || extents=0,0,0,0
    E2E_FL=$(echo "$extents" | cut -d, -f1)
    E2E_FR=$(echo "$extents" | cut -d, -f2)
    E2E_FT=$(echo "$extents" | cut -d, -f3)
    E2E_FB=$(echo "$extents" | cut -d, -f4)
}

# How many clearly red pixels the client-area rectangle (x y w h) shows.
e2e_red_pixels() {
    e2e_geometry
    import -window root -crop "${3}x${4}+$((E2E_X + $1))+$((E2E_Y + $2))" +repage txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $3 > $4 + 80 && $3 > $5 + 80 {n++} END {print n + 0}'
}

# Clicks into a field, as a user would: e2e_click_field source-width|source-height|
# width|height|target-width|target-height [row]. Positions are the layout's, in pixels.
e2e_click_field() {
    row=${2:-0}
    case "$1" in
        source-width) x=264 y=24 ;;
        source-height) x=376 y=24 ;;
        width) x=8 y=$((52 + 28 * row)) ;;
        height) x=120 y=$((52 + 28 * row)) ;;
        target-width) x=264 y=$((52 + 28 * row)) ;;
        target-height) x=376 y=$((52 + 28 * row)) ;;
    esac
    e2e_geometry
    xdotool mousemove --sync $((E2E_X + x + 52)) $((E2E_Y + y + 10)) click 1
    sleep 0.15
}

# The text of a field, through the clipboard.
e2e_read_field() {
    e2e_click_field "$@"
    e2e_read_focused
}

# Runs one test function in a fresh home, counts it, and cleans up whatever it started:
# e2e_run NAME FUNCTION [ARGS...]. e2e_summary prints "N passed, M failed" and fails if any did.
E2E_PASSED=0
E2E_FAILED=0
e2e_run() {
    e2e_name=$1
    shift
    e2e_fresh_home
    E2E_PID=
    if "$@"; then
        E2E_PASSED=$((E2E_PASSED + 1))
        echo "ok   $e2e_name"
    else
        E2E_FAILED=$((E2E_FAILED + 1))
        echo "FAIL $e2e_name"
        grep -v XDG_RUNTIME "$E2E_HOME/stderr" 2>/dev/null | head -n 5 | sed 's/^/    stderr: /'
    fi
    [ -n "$E2E_PID" ] && kill -KILL "$E2E_PID" 2>/dev/null && wait "$E2E_PID" 2>/dev/null
    rm -rf "$E2E_HOME"
}

e2e_summary() {
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    [ "$E2E_FAILED" -eq 0 ]
}
