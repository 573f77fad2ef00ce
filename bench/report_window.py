#!/usr/bin/env python3
"""Times how soon the program's own report window shows a huge report, and what it costs.

Usage: bench/report_window.py [BUILD_DIR] [--size-mib N] [--runs N]

Starts a private Xvfb and, on it, the window program with two files named on its command line,
as a file manager's Open With does, where the system's xdg-open finds no application for plain
text (private, empty data folders and mailcap), as on a fresh desktop. Enter compares them; the
comparer (the build's own, run through a wrapper that notes when it has ended) writes a report of
about --size-mib MiB, one line for each differing byte of two .bin files that differ in every
byte. The clock runs from the comparer's end to the report window's appearance on the X server:
xdg-open failing is part of it, as for a user, and the time from xdg-open's end is given too. The
peer is the same program in the same run with a report of under a kilobyte. Also measured: the program's peak memory (VmHWM, with both windows
open), and how long the main window takes to answer a click on Details once the report window
is up.
"""

import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from xserver import start_xvfb


def xdotool(*args, env):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          check=False).stdout.split()


def wait_for_window(name, env, limit=120):
    """The id of the first visible window whose name matches `name`, polled every 5 ms."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        found = xdotool("search", "--onlyvisible", "--name", name, env=env)
        if found:
            return found[0]
        time.sleep(0.005)
    sys.exit("no window '%s' within %d s" % (name, limit))


def height(window, env):
    out = xdotool("getwindowgeometry", window, env=env)
    return out[out.index("Geometry:") + 1].split("x")[1]


def make_pair(folder, name, size):
    """Two files `name`-old.bin and `name`-new.bin of `size` bytes that differ in every byte."""
    old = os.path.join(folder, name + "-old.bin")
    new = os.path.join(folder, name + "-new.bin")
    if not os.path.exists(new) or os.path.getsize(new) != size:
        data = random.Random(7).randbytes(size)
        with open(old, "wb") as f:
            f.write(data)
        with open(new, "wb") as f:
            f.write(data.translate(bytes(range(255, -1, -1))))
    return old, new


def prepare(scratch, build):
    app = os.path.join(scratch, "app")
    path = os.path.join(scratch, "path")
    empty = os.path.join(scratch, "no-handlers")
    for folder in (app, path, empty, os.path.join(scratch, "tmp")):
        os.makedirs(folder, exist_ok=True)
    shutil.copy(os.path.join(build, "bin", "varnel"), app)
    shutil.copy(os.path.join(build, "bin", "fc"), os.path.join(scratch, "real-fc"))
    open(os.path.join(empty, "mailcap"), "w").close()
    with open(os.path.join(app, "fc"), "w") as f:
        f.write('#!/bin/sh\n"%s" "$@"\nstatus=$?\ndate +%%s.%%N >"%s/ended"\nexit $status\n'
                % (os.path.join(scratch, "real-fc"), scratch))
    with open(os.path.join(path, "xdg-open"), "w") as f:
        f.write("#!/bin/sh\nexport XDG_DATA_HOME=%s XDG_DATA_DIRS=%s XDG_CONFIG_HOME=%s "
                "XDG_CONFIG_DIRS=%s MAILCAPS=%s/mailcap PATH=/usr/bin:/bin\n"
                "unset BROWSER\n/usr/bin/xdg-open \"$@\" 2>/dev/null\nstatus=$?\n"
                "date +%%s.%%N >\"%s/viewer-ended\"\nexit $status\n" % ((empty,) * 5 + (scratch,)))
    os.chmod(os.path.join(app, "fc"), 0o755)
    os.chmod(os.path.join(path, "xdg-open"), 0o755)


def run_once(scratch, display, old, new):
    """(ms from the comparer's end to the report window, peak MiB, ms for Details to act)."""
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               TMPDIR=os.path.join(scratch, "tmp"),
               PATH=os.path.join(scratch, "path") + ":" + os.environ["PATH"])
    env.pop("QT_QPA_PLATFORMTHEME", None)
    ended = os.path.join(scratch, "ended")
    if os.path.exists(ended):
        os.unlink(ended)
    program = subprocess.Popen([os.path.join(scratch, "app", "varnel"), old, new], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        main = wait_for_window("^Varnel File Compare$", env)
        xdotool("windowfocus", "--sync", main, env=env)
        xdotool("key", "Return", env=env)
        report = wait_for_window("^%s and %s " % (os.path.basename(old), os.path.basename(new)),
                                 env)
        shown = time.time()
        with open(ended) as f:
            comparer_end = float(f.read())
        with open(os.path.join(scratch, "viewer-ended")) as f:
            viewer_end = float(f.read())
        xdotool("windowmove", "--sync", report, "600", "400", env=env)
        before = height(main, env)
        clicked = time.monotonic()
        xdotool("mousemove", "--window", main, "83", "111", "click", "1", env=env)
        while height(main, env) == before:
            time.sleep(0.002)
        answered = time.monotonic()
        with open("/proc/%d/status" % program.pid) as f:
            peak = next(int(line.split()[1]) for line in f if line.startswith("VmHWM:"))
        return ((shown - comparer_end) * 1000, (shown - viewer_end) * 1000, peak / 1024,
                (answered - clicked) * 1000)
    finally:
        program.kill()
        program.wait()
        for name in os.listdir(os.path.join(scratch, "tmp")):
            if name.startswith("FC_"):
                os.unlink(os.path.join(scratch, "tmp", name))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--size-mib", type=int, default=1024)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--work", default=os.path.join(tempfile.gettempdir(), "varnel-bench"))
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    # One line of 17 bytes, "0000001A: 41 BE", for each differing byte.
    huge = make_pair(args.work, "huge", args.size_mib * (1 << 20) // 17)
    small = make_pair(args.work, "small", 40)
    server, display = start_xvfb()
    scratch = tempfile.mkdtemp()
    try:
        prepare(scratch, args.build)
        rows = {"huge": [], "small": []}
        for _ in range(args.runs):
            for name, pair in (("small", small), ("huge", huge)):
                rows[name].append(run_once(scratch, display, *pair))
        for name in ("small", "huge"):
            shown, after_viewer, peak, answer = zip(*rows[name])
            print("%-5s report (median of %d): window %5.0f ms after the comparer's end, %4.0f ms "
                  "after xdg-open's; peak %5.1f MiB; Details answered in %4.0f ms" % (
                      name, len(shown), statistics.median(shown), statistics.median(after_viewer),
                      max(peak), statistics.median(answer)))
        for what, column in (("the comparer's end", 0), ("xdg-open's end", 1)):
            print("huge / small, time from %s to the window: %.2f" % (
                what, statistics.median(r[column] for r in rows["huge"]) /
                statistics.median(r[column] for r in rows["small"])))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
        server.kill()


if __name__ == "__main__":
    main()
