#!/bin/sh
# How far behind the screen reader is when Tab is let go: Tab held through 40 fields of a 60-row
# window at key-repeat speed (30 keys a second), in the real program read by Orca. For each run:
# the seconds from the last key to Orca's last word (its last utterance: Orca 48 also logs a
# cache clearing every two seconds), and the events Orca received.
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/screen_reader_lag.sh build/plenvor [RUNS]
set -u
PLENVOR=$(realpath "$1")
RUNS=${2:-5}
E2E_DIR=$(dirname "$0")/../tests/e2e
. "$E2E_DIR/lib.sh"
. "$E2E_DIR/orca.sh"
E2E_TIMEOUT=60

# Seconds since midnight of a log's "HH:MM:SS.ffffff".
seconds() { echo "$1" | awk -F: '{ print $1 * 3600 + $2 * 60 + $3 }'; }

sr_start || exit 1
run=1
while [ $run -le "$RUNS" ]; do
    e2e_fresh_home
    mkdir -p "$E2E_HOME/config/Korvane"
    { printf '[General]\nResolution%%20Count=60\n'; } >"$(e2e_settings_file)"
    HOME=$E2E_HOME XDG_CONFIG_HOME=$E2E_HOME/config LC_ALL=C.UTF-8 "$PLENVOR" >/dev/null 2>&1 &
    pid=$!
    e2e_wait "the window" sh -c "xdotool search --onlyvisible --pid $pid --name '^Plenvor\$' >/dev/null" || exit 1
    xdotool windowfocus "$(xdotool search --onlyvisible --pid $pid --name '^Plenvor$' | head -n 1)"
    sr_settle
    sr_mark
    xdotool key --delay 33 $(printf 'Tab %.0s' $(seq 40))
    released=$(date +%H:%M:%S.%N)
    sr_settle
    last=$(tail -n +"$((SR_MARK + 1))" "$SR_LOG" | grep -E '^[0-9:]+\.[0-9]+ - SPEECH OUTPUT:' | tail -n 1 | cut -d' ' -f1)
    events=$(tail -n +"$((SR_MARK + 1))" "$SR_LOG" | grep -c -E 'EVENT MANAGER: [a-z]+:[a-z:-]* for')
    echo "run $run: Orca done $(awk -v a="$(seconds "$last")" -v b="$(seconds "$released")" \
        'BEGIN { printf "%.2f", a - b }') s after the last key, $events events"
    kill "$pid"
    wait "$pid" 2>/dev/null
    rm -rf "$E2E_HOME"
    run=$((run + 1))
done
sr_stop
