#!/bin/sh
# cmake's configure step for the scripts: where a package is missing it says so in the one
# line of the program's own, not in CMake's trace.
#   scripts/configure.sh CMAKE_ARGS...
if ! out=$(cmake "$@" 2>&1); then
    printf '%s\n' "$out" | grep '^plenvor: ' >&2 || printf '%s\n' "$out" >&2
    exit 1
fi
printf '%s\n' "$out" | tail -n 1
