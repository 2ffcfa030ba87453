#!/bin/sh
# Runs one fuzzer for a bounded time on a copy of its seed corpus (the repository's stays as
# it is). Any crash or sanitizer report fails.
#   run_fuzzer.sh FUZZER SEED_CORPUS SECONDS
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$2/." "$work/"
# Leak checks between inputs would count Qt's caches as leaks; ASan and UBSan stay on, and
# the check at the end skips what fontconfig keeps for the life of the process.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../sanitizers/lsan.supp:print_suppressions=0"
exec "$1" -max_total_time="$3" -timeout=30 -rss_limit_mb=6144 -detect_leaks=0 \
    -print_final_stats=1 "$work"
