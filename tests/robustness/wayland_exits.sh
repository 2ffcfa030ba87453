#!/bin/sh
# Native Wayland: the real program under a headless weston, ended again and again with SIGTERM,
# which leaves as Esc does (the window unloads and stores the list). Every run must end, with
# status 0; one still running 30 s after the signal has hung, however busy the machine. Run:
#   tests/robustness/wayland_exits.sh build/plenvor [times]
# Ends with one line "N exits: H left running, F failed".
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/../e2e/lib.sh"
dir=$(mktemp -d)
mkdir -m 700 "$dir/run"
export XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/config" LC_ALL=C.UTF-8
weston --backend=headless-backend.so --socket=plenvor --idle-time=0 >"$dir/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$dir"' EXIT

# The program catches SIGTERM (bit 15 - 1 of the caught-signal mask) once its window is up.
catches_term() {
    mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null)
    [ -n "$mask" ] && [ $((0x$mask >> 14 & 1)) -eq 1 ]
}
ended() { ! kill -0 "$pid" 2>/dev/null; }

e2e_wait weston test -S "$dir/run/plenvor" || exit 1
hung=0 failed=0 i=0
while [ "$i" -lt "${2:-100}" ]; do
    i=$((i + 1))
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=plenvor "$PLENVOR" 2>>"$dir/stderr" &
    pid=$!
    if E2E_TIMEOUT=60 e2e_wait "run $i's window" catches_term; then
        kill -TERM "$pid"
        E2E_TIMEOUT=30 e2e_wait "run $i to end" ended || { hung=$((hung + 1)) && kill -KILL "$pid"; }
    else
        failed=$((failed + 1)) && kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || [ "$status" -eq 137 ] || failed=$((failed + 1))
done
grep -q '^Resolution%20Count=1$' "$dir/config/Korvane/Plenvor.conf" || failed=$((failed + 1))
[ "$failed" -eq 0 ] || head -n 5 "$dir/stderr"
echo "$i exits: $hung left running, $failed failed"
[ "$hung" -eq 0 ] && [ "$failed" -eq 0 ]
