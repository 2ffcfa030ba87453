# Helpers for hearing the real program through the real screen reader: Orca, with speech through
# speech-dispatcher and espeak-ng into a null audio device, on a session bus and accessibility
# bus of its own, in the current X display. Sourced after lib.sh by the screen-reader test and
# benchmark. Every wait is bounded.

SR_UTTERANCES=${E2E_DIR:-$(dirname "$0")}/utterances.awk

# Starts the buses and Orca with a fresh home of their own ($SR_HOME); Orca's log is $SR_LOG.
sr_start() {
    SR_HOME=$(mktemp -d)
    SR_LOG=$SR_HOME/orca.log
    mkdir -p "$SR_HOME/orca" "$SR_HOME/config/speech-dispatcher" "$SR_HOME/run"
    chmod 700 "$SR_HOME/run"
    # No sound card: espeak-ng speaks into libao's null driver, so speech never stalls.
    { cat /etc/speech-dispatcher/speechd.conf; echo 'AudioOutputMethod "libao"'; } \
        >"$SR_HOME/config/speech-dispatcher/speechd.conf"
    echo default_driver=null >"$SR_HOME/.libao"
    # Once its log is open: the log lighter and line by line, no braille, no sounds.
    cat >"$SR_HOME/orca/orca-customizations.py" <<'PY'
import orca.debug as debug
import orca.settings as settings
debug.debugLevel = debug.LEVEL_INFO
debug.debugFile = open(debug.debugFile.name, "a", buffering=1)
settings.enableBraille = False
settings.enableSound = False
PY
    export HOME=$SR_HOME XDG_CONFIG_HOME=$SR_HOME/config XDG_RUNTIME_DIR=$SR_HOME/run
    DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
        3>"$SR_HOME/bus.pid") || return 1
    export DBUS_SESSION_BUS_ADDRESS
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    SR_LAUNCHER=$!
    orca -u "$SR_HOME/orca" --debug-file "$SR_LOG" >"$SR_HOME/orca.out" 2>&1 &
    SR_ORCA=$!
    # Orca listens once its event and script managers are both up: Orca 43 and 48 log both,
    # in either order (48 logs no "Startup complete").
    e2e_wait "Orca to log its event and script managers activated" sr_listening
}

sr_listening() {
    grep -q "EVENT MANAGER: Activated" "$SR_LOG" 2>/dev/null &&
        grep -q "SCRIPT MANAGER: Activated" "$SR_LOG" 2>/dev/null
}

sr_stop() {
    # Orca may take its time over a polite end; the buses go with it.
    kill -KILL "$SR_ORCA" "$SR_LAUNCHER" 2>/dev/null
    kill "$(cat "$SR_HOME/bus.pid")" 2>/dev/null
    pkill -KILL -f "$SR_HOME" 2>/dev/null # speech-dispatcher and the accessibility bus
    wait "$SR_ORCA" "$SR_LAUNCHER" 2>/dev/null
    rm -rf "$SR_HOME"
}

# The log's length now: what is heard from here on belongs to the next step.
sr_mark() { SR_MARK=$(wc -l <"$SR_LOG"); }

# What Orca said since the mark, an utterance a line.
sr_heard() { tail -n +"$((SR_MARK + 1))" "$SR_LOG" | awk -f "$SR_UTTERANCES"; }

# Whether the phrases were said since the mark, in this order.
sr_said() {
    sr_rest=$(sr_heard | tr '\n' ' ')
    for sr_phrase in "$@"; do
        case $sr_rest in
            *"$sr_phrase"*) sr_rest=${sr_rest#*"$sr_phrase"} ;;
            *) return 1 ;;
        esac
    done
}

# Waits until the log has been still for a second and a half: Orca has said all it will. That
# nothing more comes can only be seen as a quiet interval; it is the one wait for time here.
sr_settle() {
    sr_size=-1
    tries=$((E2E_TIMEOUT * 2))
    while [ "$(wc -c <"$SR_LOG")" != "$sr_size" ] && [ "$tries" -gt 0 ]; do
        sr_size=$(wc -c <"$SR_LOG")
        tries=$((tries - 1))
        sleep 1.5
    done
}
