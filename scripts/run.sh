#!/bin/sh
# Builds Plenvor and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh run
# Only what running takes: the tests and benchmarks are scripts/test.sh's.
scripts/configure.sh -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENVOR_BUILD_TESTS=OFF
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target plenvor
exec build/plenvor
