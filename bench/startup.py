#!/usr/bin/env python3
"""Start-up time and peak memory of Plenvor against a bare Qt floor, side by side.

Runs each pair interleaved (the order alternating) so that drift on the machine touches
both alike, and prints medians and their ratios against the targets.

    xvfb-run -a -s "-screen 0 1280x1024x24" bench/startup.py build [runs]

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
plenvor = os.path.join(build, "bench", "plenvor_startup")
floor = os.path.join(build, "bench", "plenvor_floor")


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
    out = subprocess.run(command, env=env, capture_output=True, text=True, timeout=120).stdout
    values = dict(line.split() for line in out.splitlines() if line.split()[:1] in
                  (["mapped"], ["painted"], ["vmhwm"]))
    return ((int(values["mapped"]) - start) / 1e6, (int(values["painted"]) - start) / 1e6,
            int(values["vmhwm"]) / 1024)


def compare(title, ours, theirs, config, targets):
    for command in (ours, theirs):   # warm the caches, and let the path be registered once
        run(command, config)
    results = {"plenvor": [], "floor": []}
    for i in range(runs):
        pair = [("plenvor", ours), ("floor", theirs)]
        for name, command in (pair if i % 2 == 0 else reversed(pair)):
            results[name].append(run(command, config))
    print(f"\n{title} ({runs} runs each, interleaved; medians)")
    print(f"  {'':10} {'mapped ms':>10} {'painted ms':>11} {'VmHWM MiB':>10}")
    medians = {}
    for name, samples in results.items():
        medians[name] = [statistics.median(s[k] for s in samples) for k in range(3)]
        m = medians[name]
        print(f"  {name:10} {m[0]:10.1f} {m[1]:11.1f} {m[2]:10.1f}")
    ok = True
    for label, index, limit, kind in targets:
        ours_value, floor_value = medians["plenvor"][index], medians["floor"][index]
        if kind == "ratio":
            value = ours_value / floor_value
            passed = value <= limit
            print(f"  {label}: {value:.3f}x the floor (target at most {limit}x) "
                  f"{'met' if passed else 'MISSED'}")
        else:
            value = ours_value - floor_value
            passed = value <= limit
            print(f"  {label}: floor {value:+.2f} MiB (target at most +{limit} MiB) "
                  f"{'met' if passed else 'MISSED'}")
        ok &= passed
    return ok


small = stored_list(2)
large = stored_list(1000)
ok = compare("Start-up with two stored rows", [plenvor], [floor], small,
             [("until mapped", 0, 1.10, "ratio"), ("until painted", 1, 1.10, "ratio"),
              ("peak memory", 2, 2.0, "mib")])
ok &= compare("Start-up with 1,000 stored rows", [plenvor], [floor, "1000"], large,
              [("until painted", 1, 1.15, "ratio"), ("peak memory", 2, 5.0, "mib")])
sys.exit(0 if ok else 1)
