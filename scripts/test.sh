#!/bin/sh
# Builds Plenvor and runs every test: the unit and widget tests on the offscreen platform,
# the end-to-end tests on the real program under Xvfb, the Debian package installed into a
# scratch root, and the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

scripts/deps.sh test

echo "== Build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" -L unit
ctest --test-dir build --output-on-failure -L e2e
ctest --test-dir build --output-on-failure -L package

echo "== Build and test under the sanitizers"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPLENVOR_SANITIZE=ON -DPLENVOR_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -L unit

echo "== All tests passed"
