#!/usr/bin/env python3
"""Start-up time and peak memory of Plenvor with 2, 1,000 and 32,768 stored rows, and of a bare
Qt floor, side by side.

Runs the variants interleaved (the order rotating) so that drift on the machine touches all
alike, and prints medians and their ratios against the targets.

    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bench/startup.py build [runs]

(-noreset: an X server that resets after its last client leaves refuses the next one for a
moment.)

Times run from just before the program is started until its window is first mapped and
until it is fully painted. Memory is the peak resident set (VmHWM).
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1] if len(sys.argv) > 1 else "build"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
plenvor = [os.path.join(build, "bench", "plenvor_startup")]
floor = [os.path.join(build, "bench", "plenvor_floor")]


def stored_list(rows):
    """A config folder holding a stored list of the given number of rows."""
    folder = tempfile.mkdtemp(prefix="plenvor-bench-")
    os.makedirs(os.path.join(folder, "Korvane"))
    lines = ["[General]", f"Resolution%20Count={rows}"]
    for i in range(rows):
        lines += [f"Resolution%20{i}%20Width={1024 + i}", f"Resolution%20{i}%20Height={768 + i}"]
    with open(os.path.join(folder, "Korvane", "Plenvor.conf"), "w") as f:
        f.write("\n".join(lines) + "\n")
    return folder


def run(command, config):
    env = dict(os.environ, XDG_CONFIG_HOME=config, LC_ALL="C.UTF-8")
    start = time.monotonic_ns()
    done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=120)
    values = dict(line.split() for line in done.stdout.splitlines() if line.split()[:1] in
                  (["mapped"], ["painted"], ["vmhwm"]))
    if len(values) != 3:
        sys.exit(f"{command[0]} ended with {done.returncode}: {done.stderr[-2000:]}")
    return ((int(values["mapped"]) - start) / 1e6, (int(values["painted"]) - start) / 1e6,
            int(values["vmhwm"]) / 1024)


variants = {
    "floor": (floor, stored_list(2)),
    "2 rows": (plenvor, stored_list(2)),
    "1,000 rows": (plenvor, stored_list(1000)),
    "32,768 rows": (plenvor, stored_list(32768)),
}
for command, config in variants.values():  # warm the caches; the path is registered once
    run(command, config)
samples = {name: [] for name in variants}
names = list(variants)
for i in range(runs):
    for name in names[i % len(names):] + names[:i % len(names)]:
        samples[name].append(run(*variants[name]))

print(f"Start-up ({runs} runs each, interleaved; medians)")
print(f"  {'':12} {'mapped ms':>10} {'painted ms':>11} {'VmHWM MiB':>10}")
median = {}
for name, values in samples.items():
    median[name] = [statistics.median(v[k] for v in values) for k in range(3)]
    print(f"  {name:12} {median[name][0]:10.1f} {median[name][1]:11.1f} {median[name][2]:10.1f}")

MAPPED, PAINTED, MEMORY = 0, 1, 2
checks = [
    ("two rows until mapped, against the floor", median["2 rows"][MAPPED] / median["floor"][MAPPED], 1.1, "x"),
    ("two rows until painted, against the floor", median["2 rows"][PAINTED] / median["floor"][PAINTED], 1.1, "x"),
    ("1,000 rows until painted, against two", median["1,000 rows"][PAINTED] / median["2 rows"][PAINTED], 1.2, "x"),
    ("32,768 rows until painted", median["32,768 rows"][PAINTED], 1000, " ms"),
    ("peak memory, 1,000 rows over two", median["1,000 rows"][MEMORY] - median["2 rows"][MEMORY], 5, " MiB"),
    ("peak memory, 32,768 rows over two", median["32,768 rows"][MEMORY] - median["2 rows"][MEMORY], 40, " MiB"),
]
ok = True
for label, value, limit, unit in checks:
    passed = value <= limit
    ok &= passed
    print(f"  {label}: {value:.2f}{unit} (target at most {limit}{unit}) {'met' if passed else 'MISSED'}")
sys.exit(0 if ok else 1)
