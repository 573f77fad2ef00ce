#!/usr/bin/env python3
"""Times the window program's start against a bare Qt window with one button.

Usage: bench/startup.py [BUILD_DIR] [--runs N] [--varnel PROGRAM]

Needs the helpers built first (cmake --build BUILD_DIR --target startup_bench). Starts a private
Xvfb, then starts each program in turn, the two alternating and taking turns at going first,
and measures from the start of the process to its first drawing into its window: the wall time,
and the processor time the program used until then. Prints the median and quartiles of each,
the ratio of the medians, and the median of the ratios of neighbouring runs, which slow drifts
in the machine's load affect less.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile

from xserver import start_xvfb


def time_once(timer, program, env):
    """(wall, processor) milliseconds from the start to the first paint."""
    out = subprocess.run([timer, program], env=env, capture_output=True, text=True, check=False)
    if out.returncode != 0:
        sys.exit("%s: %s" % (program, out.stderr.strip()))
    wall, cpu = out.stdout.split()
    return float(wall), float(cpu)


def summary(name, times):
    q = statistics.quantiles(times, n=4)
    return "  %-7s median %6.2f ms   quartiles %6.2f .. %6.2f ms" % (
        name, statistics.median(times), q[0], q[2])


def report(what, floor, varnel):
    print("%s, %d runs each:" % (what, len(floor)))
    print(summary("floor", floor))
    print(summary("varnel", varnel))
    paired = [v / f for f, v in zip(floor, varnel)]
    print("  varnel / floor: %.3f (medians), %.3f (median of paired runs)" % (
        statistics.median(varnel) / statistics.median(floor), statistics.median(paired)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--runs", type=int, default=40)
    parser.add_argument("--warmup", type=int, default=3)
    parser.add_argument("--varnel", help="another build of the window program to time")
    args = parser.parse_args()

    bin_dir = os.path.join(args.build, "bin")
    timer = os.path.join(bin_dir, "startup_timer")
    programs = {"floor": os.path.join(bin_dir, "startup_floor"),
                "varnel": args.varnel or os.path.join(bin_dir, "varnel")}
    for path in [timer, *programs.values()]:
        if not os.access(path, os.X_OK):
            sys.exit("%s is missing: cmake --build %s --target startup_bench" % (path, args.build))

    server, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as home:
            # The same clean desktop settings for both, and no settings of the caller's.
            env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", HOME=home,
                       XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_CACHE_HOME=os.path.join(home, "cache"))
            env.pop("WAYLAND_DISPLAY", None)
            env.pop("QT_QPA_PLATFORMTHEME", None)
            order = list(programs)
            for _ in range(args.warmup):
                for name in order:
                    time_once(timer, programs[name], env)
            times = {name: [] for name in programs}
            for _ in range(args.runs):
                for name in order:
                    times[name].append(time_once(timer, programs[name], env))
                order.reverse()
    finally:
        server.terminate()
        server.wait()

    for index, what in enumerate(("wall time to first paint", "processor time to first paint")):
        report(what, [t[index] for t in times["floor"]], [t[index] for t in times["varnel"]])


if __name__ == "__main__":
    main()
