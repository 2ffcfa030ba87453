# Helpers for driving the real program ($PLENVOR) in an X display with xdotool. Sourced by the
# end-to-end and package tests and by scripts/screenshots.sh. Every wait is for a state the
# next step needs, polled and bounded; none is for time.

E2E_TIMEOUT=${E2E_TIMEOUT:-15}

# e2e_wait DESCRIPTION COMMAND...: runs the command until it succeeds or time runs out.
e2e_wait() {
    e2e_what=$1; shift
    tries=$((E2E_TIMEOUT * 10))
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { echo "    timed out waiting for $e2e_what" >&2; return 1; }
        sleep 0.1
    done
}

# A window manager, as a user's desktop has; openbox runs its start-up command once it manages.
e2e_start_wm() {
    ready=$(mktemp -u)
    openbox --startup "touch $ready" >/dev/null 2>&1 &
    E2E_WM=$!
    e2e_wait "the window manager" test -e "$ready" && rm -f "$ready"
}
e2e_stop_wm() { kill "$E2E_WM" 2>/dev/null; wait "$E2E_WM" 2>/dev/null || true; E2E_WM=; }

# A fresh home, and a desktop opener that only records what it was given.
e2e_fresh_home() {
    E2E_HOME=$(mktemp -d)
    mkdir -p "$E2E_HOME/config" "$E2E_HOME/bin" "$E2E_HOME/run"
    chmod 700 "$E2E_HOME/run"
    printf '#!/bin/sh\necho "$*" >>"%s/opened"\n' "$E2E_HOME" >"$E2E_HOME/bin/xdg-open"
    chmod +x "$E2E_HOME/bin/xdg-open"
}
e2e_settings_file() { echo "$E2E_HOME/config/Korvane/Plenvor.conf"; }

# Starts the program in the current home, as a desktop session would, with any NAME=VALUE
# given; E2E_PID is its process.
e2e_launch() {
    HOME=$E2E_HOME XDG_CONFIG_HOME=$E2E_HOME/config XDG_RUNTIME_DIR=$E2E_HOME/run \
        PATH=$E2E_HOME/bin:$PATH LC_ALL=C.UTF-8 XDG_CURRENT_DESKTOP= \
        env "$@" "$PLENVOR" >"$E2E_HOME/stdout" 2>"$E2E_HOME/stderr" &
    E2E_PID=$!
}
# Whether the program's window shows (its id in E2E_WIN), or the program has ended.
e2e_window() {
    E2E_WIN=$(xdotool search --onlyvisible --pid "$E2E_PID" --name '^Plenvor$' | head -n 1)
    [ -n "$E2E_WIN" ] || ! kill -0 "$E2E_PID" 2>/dev/null
}
# Starts the program, with any NAME=VALUE given; returns once its window has the focus and
# stands where it should: centred in its frame, or as $E2E_PLACED (a command) says.
e2e_start() {
    e2e_launch "$@" && e2e_wait "the window" e2e_window && [ -n "$E2E_WIN" ] &&
        e2e_wait "the focus" sh -c "xdotool windowfocus $E2E_WIN 2>/dev/null; [ \"\$(xdotool getwindowfocus)\" = $E2E_WIN ]" &&
        e2e_wait "the window ${E2E_PLACED:-centred in its frame}" ${E2E_PLACED:-e2e_centred}
}

# Waits for the program to end and sets E2E_STATUS to its exit status.
e2e_wait_exit() {
    e2e_wait "the program to end" sh -c "! kill -0 $E2E_PID 2>/dev/null" || { kill -KILL "$E2E_PID"; return 1; }
    wait "$E2E_PID"
    E2E_STATUS=$?
}

# The X server hands keys and clicks to the program in order, so nothing waits after them.
e2e_key() { xdotool key --clearmodifiers --delay 40 "$@"; }
e2e_type() { xdotool type --clearmodifiers --delay 40 -- "$1"; }

# Client-area geometry (E2E_X, E2E_Y, E2E_W, E2E_H) and the frame around it (E2E_FL, _FR, _FT, _FB).
e2e_geometry() {
    eval "$(xwininfo -id "$E2E_WIN" | awk '/Absolute upper-left X/ {print "E2E_X=" $4}
        /Absolute upper-left Y/ {print "E2E_Y=" $4} /^ *Width/ {print "E2E_W=" $2} /^ *Height/ {print "E2E_H=" $2}')"
    set -- $(xprop -id "$E2E_WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr ',' ' ')
    E2E_FRAMED=$#
    set -- "$@" 0 0 0 0
    E2E_FL=$1 E2E_FR=$2 E2E_FT=$3 E2E_FB=$4
}

# Whether the window, with the frame a running window manager gave it, is centred on the
# 1280x1024 screen (within rounding), and ROWS rows high where they are given.
e2e_centred() {
    e2e_geometry
    [ -z "${E2E_WM:-}" ] || [ "$E2E_FRAMED" -gt 0 ] || return 1
    [ -z "${1:-}" ] || [ "$E2E_H" -eq $((81 + 28 * ($1 - 1))) ] || return 1
    cx=$((2 * E2E_X - E2E_FL + E2E_W + E2E_FR - 1280)) cy=$((2 * E2E_Y - E2E_FT + E2E_H + E2E_FB - 1024))
    [ "${cx#-}" -le 2 ] && [ "${cy#-}" -le 2 ]
}

# Clicks into a field as a user would: e2e_click_field source-width|source-height|width|height|
# target-width|target-height [row]. Positions are the layout's, in pixels.
e2e_click_field() {
    case "$1" in
        source-width) x=264 y=24 ;; source-height) x=376 y=24 ;;
        width) x=8 ;; height) x=120 ;; target-width) x=264 ;; target-height) x=376 ;;
    esac
    case "$1" in source-*) ;; *) y=$((52 + 28 * ${2:-0})) ;; esac
    e2e_geometry
    xdotool mousemove --sync $((E2E_X + x + 52)) $((E2E_Y + y + 10)) click 1
}

# The text of a field, copied through the clipboard as a user would; the answer is there once
# the program has taken every key and click before the copy.
e2e_read_field() {
    e2e_click_field "$@"
    printf 'unread' | xclip -selection clipboard -i >/dev/null 2>&1 # xclip stays to own it
    e2e_key ctrl+a ctrl+c
    e2e_wait "the copy of $*" sh -c '[ "$(xclip -selection clipboard -o 2>/dev/null)" != unread ]' &&
        xclip -selection clipboard -o 2>/dev/null
}

fail() { echo "    $*"; return 1; }
expect() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }

# e2e_run NAME COMMAND...: runs one test in a fresh home and cleans up after it;
# e2e_summary prints "N passed, M failed" and fails if any did.
E2E_PASSED=0 E2E_FAILED=0
e2e_run() {
    e2e_name=$1 && shift
    e2e_fresh_home
    E2E_PID=
    if "$@"; then
        E2E_PASSED=$((E2E_PASSED + 1)) && echo "ok   $e2e_name"
    else
        E2E_FAILED=$((E2E_FAILED + 1)) && echo "FAIL $e2e_name"
        head -n 5 "$E2E_HOME/stderr" 2>/dev/null | sed 's/^/    stderr: /'
    fi
    [ -n "$E2E_PID" ] && kill -KILL "$E2E_PID" 2>/dev/null
    rm -rf "$E2E_HOME"
}
e2e_summary() { echo "$E2E_PASSED passed, $E2E_FAILED failed" && [ "$E2E_FAILED" -eq 0 ]; }
