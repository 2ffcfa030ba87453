#!/bin/sh
# Holds each package set of scripts/deps.sh against what its command's build reads: the CMake
# files its configure reads, the headers each compile reads and the libraries each link reads,
# each mapped to the Debian package that owns it. A package outside the set's dependency closure
# fails the check, with a file that needs it. Run by scripts/test.sh after its builds (build/,
# build-sanitize/, configured with -DPLENVOR_LINK_DEPENDS=ON).
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The CMake files a configure reads, as CMake's file API reports them: SET PATH WHO lines.
configure_reads() { # SET DIR CMAKE_ARGS...
    set_name=$1 dir=$2 && shift 2
    mkdir -p "$dir/.cmake/api/v1/query" && touch "$dir/.cmake/api/v1/query/cmakeFiles-v1"
    cmake -S . -B "$dir" "$@" >/dev/null
    sed -n 's/^[[:space:]]*"path" : "\(\/[^"]*\)".*/\1/p' "$dir"/.cmake/api/v1/reply/cmakeFiles-v1-*.json |
        sed "s|^|$set_name |; s|\$| configure|"
}

# The headers an object's compile read: the compiler's dependency files (Ninja keeps them in its
# log). A build folder's objects belong to SET, those of its tests and benchmarks to others.
compile_reads() { # DIR SET
    if [ -f "$1/build.ninja" ]; then
        ninja -C "$1" -t deps
    else
        find "$1" -name '*.o.d' -exec cat {} + | tr -d '\\'
    fi | awk -v set="$2" '
        /^[^[:space:]].*:/ { who = $1; sub(/:$/, "", who)
            s = set
            if (who ~ /^tests\/CMakeFiles\/(plenvor_fakes|tst_)/ && set == "run") s = "unit"
            else if (who ~ /^(tests|bench)\// && set == "run") s = "test"
            for (i = 2; i <= NF; i++) if ($i ~ /^\//) print s, $i, who
            next }
        { for (i = 1; i <= NF; i++) if ($i ~ /^\//) print s, $i, who }'
}

# What each link read, from the linker's own dependency files.
link_reads() { # DIR SET
    for d in "$1"/link-depends/*.d; do
        [ -f "$d" ] || continue
        name=$(basename "$d" .d) && s=$2
        case "$name" in tst_*) [ "$s" = run ] && s=unit ;; plenvor | plenvor_icon_tool) ;; *) s=test ;; esac
        # Each input comes again as a rule of its own ("path:").
        tr -d '\\' <"$d" | tr ' ' '\n' | grep '^/' | sed "s|:\$||; s|^|$s |; s|\$| $name|"
    done
}

{
    configure_reads run "$work/run" -DPLENVOR_BUILD_TESTS=OFF
    configure_reads unit build -DPLENVOR_BUILD_TESTS=ON
    compile_reads build run
    link_reads build run
    [ -d build-sanitize ] && compile_reads build-sanitize test && link_reads build-sanitize test
} | awk -v top="$top/" -v work="$work/" 'index($2, top) != 1 && index($2, work) != 1' |
    sort -u >"$work/raw"
# Only what comes from the system, not the sources nor what a build made; paths without "..".
cut -d' ' -f2 "$work/raw" | sort -u >"$work/raw-paths"
xargs realpath -s -m <"$work/raw-paths" | paste -d' ' "$work/raw-paths" - >"$work/normal"
awk 'FILENAME == ARGV[1] { normal[$1] = $2; next } { print $1, normal[$2], $3 }' \
    "$work/normal" "$work/raw" | sort -u >"$work/reads"

# Each file to the package that owns it; merged /usr leaves some under /lib in dpkg's lists.
owners() { xargs dpkg -S 2>/dev/null | grep -v '^diversion' || true; }
cut -d' ' -f2 "$work/reads" | sort -u >"$work/paths"
owners <"$work/paths" >"$work/owned"
sed 's/.*: //' "$work/owned" | sort -u | comm -23 "$work/paths" - |
    sed 's|^/usr/lib/|/lib/|; t; s|^/lib/|/usr/lib/|' | owners |
    sed 's|: /usr/lib/|: /lib/|; t; s|: /lib/|: /usr/lib/|' >>"$work/owned"

# A set covers a package in its closure, or one that every Debian system has.
dpkg-query -W -f='${Package} ${Priority}\n' | awk '$2 == "required" { print $1 }' >"$work/base"
failed=0
for set_name in run unit test; do
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances $(scripts/deps.sh --list "$set_name") 2>/dev/null |
        grep -v '^ ' | tr -d '<>' | cat - "$work/base" >"$work/closure"
    awk -v set="$set_name" '
        FILENAME == ARGV[1] { have[$0] = 1; next }
        FILENAME == ARGV[2] { split($0, part, ": /"); owner["/" part[2]] = part[1]; next }
        # A set needs what its own command reads, and what the sets below it read.
        set == "run" && $1 != "run" { next }
        set == "unit" && $1 == "test" { next }
        {
            n = split(owner[$2] == "" ? "(no package)" : owner[$2], packages, /, */)
            for (i = 1; i <= n; i++) { sub(/:.*/, "", packages[i]); if (packages[i] in have) next }
            if (!(packages[1] in told))
                print "scripts/deps.sh " set " lacks " packages[1] ": " $3 " reads " $2
            told[packages[1]] = 1
        }' "$work/closure" "$work/owned" "$work/reads" >"$work/missing"
    if [ -s "$work/missing" ]; then
        cat "$work/missing" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "Every package set covers what its command's build reads."
exit "$failed"
