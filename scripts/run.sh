#!/bin/sh
# Builds Plenvor and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only what running takes: the tests and benchmarks wait for scripts/test.sh.
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target plenvor
exec build/plenvor
