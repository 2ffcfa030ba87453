#!/bin/sh
# Builds Plenvor and runs every test:
#   - a formatting check (clang-format, changing nothing) and clang-tidy's checks, naming
#     among them,
#   - the unit and widget tests on the offscreen platform,
#   - the end-to-end tests on the real program under Xvfb, and the Debian package installed
#     into a scratch root,
#   - under AddressSanitizer and UndefinedBehaviorSanitizer: the unit tests again,
#   - each package set of scripts/deps.sh against what its command's build reads.
# With --quick, only what the unit tests need is built, and only they run: the edit loop.
set -eu
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

if [ "${1:-}" = "--quick" ]; then
    scripts/deps.sh unit
    scripts/configure.sh -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENVOR_BUILD_TESTS=ON
    cmake --build build -j "$jobs" --target $(ctest --test-dir build -N -L unit | sed -n 's/^ *Test *#[0-9]*: //p')
    exec ctest --test-dir build --output-on-failure --no-tests=error -j "$jobs" -L unit
fi

scripts/deps.sh test

echo "== Formatting"
find platform support validation window settings shell tests bench resources \
    \( -name '*.cpp' -o -name '*.h' \) -print | xargs clang-format --dry-run -Werror

echo "== Build and test"
scripts/configure.sh -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENVOR_BUILD_TESTS=ON \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DPLENVOR_WERROR=ON -DPLENVOR_LINK_DEPENDS=ON
cmake --build build -j "$jobs"
if ! find platform support validation window settings shell -name '*.cpp' -print |
    xargs -P "$jobs" -n 4 clang-tidy -p build --quiet >build/clang-tidy.log 2>&1; then
    grep -v 'warnings generated' build/clang-tidy.log
    exit 1
fi
ctest --test-dir build --output-on-failure --no-tests=error -j "$jobs" -L unit
ctest --test-dir build --output-on-failure --no-tests=error -L 'e2e|package'

echo "== Build and test under the sanitizers"
scripts/configure.sh -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPLENVOR_SANITIZE=ON \
    -DPLENVOR_BUILD_TESTS=ON -DPLENVOR_BUILD_BENCH=OFF -DPLENVOR_WERROR=ON -DPLENVOR_LINK_DEPENDS=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j "$jobs" -L unit

echo "== Package sets"
scripts/check_packages.sh

echo "== All tests passed"
