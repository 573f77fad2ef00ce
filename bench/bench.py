#!/usr/bin/env python3
"""Times the comparer against GNU diff and cmp on deterministic inputs.

Usage: bench/bench.py [path/to/fc] [--runs N] [--work DIR]

Every input is made from a fixed seed, so two runs compare the same bytes. Each command runs
several times, in turn with its peer, with its output going to a real file (GNU cmp takes a
short cut when its output is /dev/null); the median wall time is reported, with the peak
resident memory that /usr/bin/time -v measured over all runs.
"""

import argparse
import os
import random
import shutil
import statistics
import subprocess
import tempfile
import time

WORDS = ("alpha beta gamma delta epsilon zeta theta iota kappa lambda omicron sigma tau "
         "upsilon omega north south east west river stone cloud field garden window").split()


def text_lines(rng, count):
    lines = []
    for n in range(count):
        words = [rng.choice(WORDS) for _ in range(rng.randint(3, 9))]
        lines.append("%07d %s\n" % (n, " ".join(words)))
    return lines


def edit_lines(rng, lines, share):
    """A copy with `share` of the lines changed, deleted or inserted at random places."""
    out = list(lines)
    for _ in range(int(len(lines) * share)):
        at = rng.randrange(len(out))
        kind = rng.randrange(3)
        if kind == 0:
            out[at] = "changed %d %s\n" % (rng.randrange(10**9), rng.choice(WORDS))
        elif kind == 1:
            del out[at]
        else:
            out.insert(at, "inserted %d %s\n" % (rng.randrange(10**9), rng.choice(WORDS)))
    return out


# Pieces of one long line: words, blank runs, tabs and multi-byte characters (two, three and
# four bytes), so that the long-line rows exercise tab columns, /W and /C folding.
LONG_PIECES = WORDS + [" ", " ", "  ", "   ", "\t", " \t ", ",", "0123", "\u00e9t\u00e9",
                       "\u00dcBER", "\u20ac", "\u65e5\u672c\u8a9e", "\u03a9\u03bc\u03ad\u03b3\u03b1",
                       "\U0001f600", "ALPHA", "K\u212a"]


def long_line(rng, size):
    """About `size` bytes of one line without a line end, built from a few random segments so
    that it is made in seconds."""
    segments = ["".join(rng.choices(LONG_PIECES, k=120_000)).encode() for _ in range(16)]
    parts, length = [], 0
    while length < size:
        part = rng.choice(segments)
        parts.append(part)
        length += len(part)
    return b"".join(parts)


def change_letter(data):
    """A copy of `data` with the first ASCII lower-case letter from the middle on replaced by
    a different letter, so that the copy differs even when case is ignored."""
    out = bytearray(data)
    at = len(out) // 2
    while not 0x61 <= out[at] <= 0x7A:
        at += 1
    out[at] = 0x71 if out[at] != 0x71 else 0x72
    return out


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def make_inputs(work):
    rng = random.Random(20240607)
    paths = {name: os.path.join(work, name) for name in
             ("text", "text_edited", "text_copy", "bytes", "bytes_copy", "bytes_edited",
              "unrelated_a", "unrelated_b", "long", "long_copy", "long_edited")}
    if all(os.path.exists(p) for p in paths.values()):
        return paths
    lines = text_lines(rng, 1_000_000)
    write(paths["text"], "".join(lines).encode())
    shutil.copyfile(paths["text"], paths["text_copy"])
    write(paths["text_edited"], "".join(edit_lines(rng, lines, 0.01)).encode())
    data = bytearray(rng.randbytes(100 << 20))
    write(paths["bytes"], data)
    shutil.copyfile(paths["bytes"], paths["bytes_copy"])
    for at in rng.sample(range(len(data)), len(data) // 100):
        data[at] ^= rng.randrange(1, 256)
    write(paths["bytes_edited"], data)
    write(paths["unrelated_a"], "".join(text_lines(random.Random(1), 200_000)).encode())
    other = [line.replace(" ", "  ", 1) for line in text_lines(random.Random(2), 200_000)]
    write(paths["unrelated_b"], "".join(other).encode())
    line = long_line(random.Random(3), 200 << 20)
    write(paths["long"], line)
    shutil.copyfile(paths["long"], paths["long_copy"])
    write(paths["long_edited"], change_letter(line))
    return paths


def run_once(command, out_path):
    """Wall time in seconds and peak memory in MiB of one run of `command`."""
    stats = out_path + ".time"
    with open(out_path, "wb") as out:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-v", "-o", stats] + command, stdout=out, check=False)
        elapsed = time.perf_counter() - start
    with open(stats) as f:
        for line in f:
            if "Maximum resident set size" in line:
                return elapsed, int(line.split(":")[1]) / 1024
    return elapsed, 0.0


def measure_pair(ours, theirs, out_path, runs):
    """Median wall time and peak memory of both commands, their runs taken in turn so that a
    busy moment of the machine falls on both alike."""
    times, peaks = ([], []), [0.0, 0.0]
    for _ in range(runs):
        for k, command in enumerate((ours, theirs)):
            elapsed, peak = run_once(command, out_path + (".fc", ".peer")[k])
            times[k].append(elapsed)
            peaks[k] = max(peaks[k], peak)
    return (statistics.median(times[0]), peaks[0]), (statistics.median(times[1]), peaks[1])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("fc", nargs="?", default="build/bin/fc")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--work", default=os.path.join(tempfile.gettempdir(), "fc-bench"))
    parser.add_argument("--only", help="run only the rows whose name holds this text")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    p = make_inputs(args.work)
    fc = os.path.abspath(args.fc)
    rows = [
        ("text 1M lines, 1% edited", [fc, p["text"], p["text_edited"]],
         ["diff", p["text"], p["text_edited"]], "diff", 0.5),
        ("text 1M lines, identical", [fc, p["text"], p["text_copy"]],
         ["cmp", p["text"], p["text_copy"]], "cmp", 0.35),
        ("100 MiB bytes, identical, /B", [fc, "/B", p["bytes"], p["bytes_copy"]],
         ["cmp", p["bytes"], p["bytes_copy"]], "cmp", 1.25),
        ("100 MiB bytes, 1% changed, /B", [fc, "/B", p["bytes"], p["bytes_edited"]],
         ["cmp", "-l", p["bytes"], p["bytes_edited"]], "cmp -l", 1.0),
        ("unrelated 200k lines, /LB1000000 /1",
         [fc, "/LB1000000", "/1", p["unrelated_a"], p["unrelated_b"]],
         ["diff", p["unrelated_a"], p["unrelated_b"]], "diff", 2.0),
        ("one 200 MiB line, one byte changed", [fc, p["long"], p["long_edited"]],
         ["diff", p["long"], p["long_edited"]], "diff", 0.5),
        ("one 200 MiB line, identical", [fc, p["long"], p["long_copy"]],
         ["cmp", p["long"], p["long_copy"]], "cmp", 1.25),
        ("one 200 MiB line, one byte changed, /C /W", [fc, "/C", "/W", p["long"], p["long_edited"]],
         ["diff", "-i", "-w", p["long"], p["long_edited"]], "diff -i -w", 1.0),
    ]
    out = os.path.join(args.work, "out")
    print("| input | fc s | peer | peer s | ratio | target | fc MiB | peer MiB |")
    print("|---|---|---|---|---|---|---|---|")
    for name, ours, theirs, peer, target in rows:
        if args.only and args.only not in name:
            continue
        (t_ours, m_ours), (t_peer, m_peer) = measure_pair(ours, theirs, out, args.runs)
        ratio = t_ours / t_peer
        print("| %s | %.3f | %s | %.3f | %.2f%s | %.2f | %.1f | %.1f |" % (
            name, t_ours, peer, t_peer, ratio, "" if ratio <= target else " (over)", target,
            m_ours, m_peer), flush=True)


if __name__ == "__main__":
    main()
