#!/usr/bin/env python3
"""Times the comparer against GNU diff and cmp on deterministic inputs.

Usage: bench/bench.py [path/to/fc] [--runs N] [--work DIR] [--only TEXT]

Every input is made from a fixed seed, so two runs compare the same bytes. Each command runs
several times, in turn with its peer (and, on identical inputs, with the read floor), with its
output going to a fresh file each run (GNU cmp takes a short cut when its output is /dev/null,
and writing over the last run's report would time the freeing of its pages too); the median
wall time is reported, with the peak resident memory that /usr/bin/time -v measured over all
runs. The read floor is read_floor.c, built here in the same run: it only reads both files and
memcmps them, which no comparer can beat. Rows on identical inputs are also timed against the
floor, and rows with one line changed against our own time on the identical pair.
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


def make_utf16(paths):
    """The text pair stored as UTF-16, little-endian after a byte-order mark, as Windows programs
    write it; made from the UTF-8 pair when missing."""
    for name in ("text", "text_edited"):
        path = paths[name] + "_utf16"
        if not os.path.exists(path):
            with open(paths[name], "rb") as f:
                write(path, b"\xff\xfe" + f.read().decode().encode("utf-16-le"))
        paths[name + "_utf16"] = path


# Where the text pair with one line changed has it, as shares of its lines.
CHANGED_AT = (0.01, 0.5, 0.99)


def make_one_changed(paths):
    """The 1M-line text with one line changed, at each share of CHANGED_AT; made from the text
    when missing."""
    lines = None
    for share in CHANGED_AT:
        path = "%s_changed_at_%d" % (paths["text"], round(share * 100))
        if not os.path.exists(path):
            if lines is None:
                with open(paths["text"], "rb") as f:
                    lines = f.read().split(b"\n")
            at = int((len(lines) - 1) * share)
            changed = list(lines)
            changed[at] = b"changed " + changed[at]
            write(path, b"\n".join(changed))
        paths["changed_at_%d" % round(share * 100)] = path


# On identical inputs, our time over the read floor's.
FLOOR_TARGET = 1.15
# With one line changed, our time over ours on the identical pair: a change costs no more
# reading wherever it is.
IDENTICAL_TARGET = 1.1


def run_once(command, out_path):
    """Wall time in seconds and peak memory in MiB of one run of `command`, its output going
    to a freshly made file."""
    stats = out_path + ".time"
    if os.path.exists(out_path):
        os.unlink(out_path)
    with open(out_path, "wb") as out:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-v", "-o", stats] + command, stdout=out, check=False)
        elapsed = time.perf_counter() - start
    with open(stats) as f:
        for line in f:
            if "Maximum resident set size" in line:
                return elapsed, int(line.split(":")[1]) / 1024
    return elapsed, 0.0


def measure(commands, out_path, runs):
    """Median wall time and peak memory of each command, their runs taken in turn so that a
    busy moment of the machine falls on all alike."""
    times, peaks = [[] for _ in commands], [0.0 for _ in commands]
    for _ in range(runs):
        for k, command in enumerate(commands):
            elapsed, peak = run_once(command, "%s.%d" % (out_path, k))
            times[k].append(elapsed)
            peaks[k] = max(peaks[k], peak)
    return [(statistics.median(t), m) for t, m in zip(times, peaks)]


def build_floor(work):
    """Builds the read floor program into `work` and returns its path."""
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "read_floor.c")
    program = os.path.join(work, "read_floor")
    subprocess.run(["cc", "-O2", "-o", program, source], check=True)
    return program


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("fc", nargs="?", default="build/bin/fc")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--work", default=os.path.join(tempfile.gettempdir(), "fc-bench"))
    parser.add_argument("--only", help="run only the rows whose name holds this text")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    p = make_inputs(args.work)
    make_utf16(p)
    make_one_changed(p)
    fc = os.path.abspath(args.fc)
    floor = build_floor(args.work)
    identical = [fc, p["text"], p["text_copy"]]
    # Each row: its name, our command, the peer's, the peer's name, the target for our time over
    # the peer's, and a second reference, timed in the same turns: on identical inputs the read
    # floor reading the same pair, and with one line changed our own run on the identical pair,
    # each with its name and the target for our time over its.
    rows = [
        ("text 1M lines, 1% edited", [fc, p["text"], p["text_edited"]],
         ["diff", p["text"], p["text_edited"]], "diff", 0.5, None),
        # Plain diff only says that files holding NUL bytes differ; -a makes it compare their
        # lines, as we do.
        ("text 1M lines as UTF-16, 1% edited", [fc, p["text_utf16"], p["text_edited_utf16"]],
         ["diff", "-a", p["text_utf16"], p["text_edited_utf16"]], "diff -a", 0.5, None),
        ("text 1M lines as UTF-16, 1% edited, against the UTF-8 pair",
         [fc, p["text_utf16"], p["text_edited_utf16"]], [fc, p["text"], p["text_edited"]],
         "fc UTF-8", 2.0, None),
        ("text 1M lines, identical", identical, ["cmp", p["text"], p["text_copy"]], "cmp", 1.0,
         ("floor", [floor, p["text"], p["text_copy"]], FLOOR_TARGET)),
    ] + [
        ("text 1M lines, one line changed at %d%%" % round(share * 100),
         [fc, p["text"], p["changed_at_%d" % round(share * 100)]],
         ["diff", p["text"], p["changed_at_%d" % round(share * 100)]], "diff", 0.25,
         ("fc identical", identical, IDENTICAL_TARGET)) for share in CHANGED_AT
    ] + [
        ("100 MiB bytes, identical, /B", [fc, "/B", p["bytes"], p["bytes_copy"]],
         ["cmp", p["bytes"], p["bytes_copy"]], "cmp", 1.0,
         ("floor", [floor, p["bytes"], p["bytes_copy"]], FLOOR_TARGET)),
        ("100 MiB bytes, 1% changed, /B", [fc, "/B", p["bytes"], p["bytes_edited"]],
         ["cmp", "-l", p["bytes"], p["bytes_edited"]], "cmp -l", 0.3, None),
        ("unrelated 200k lines, /LB1000000 /1",
         [fc, "/LB1000000", "/1", p["unrelated_a"], p["unrelated_b"]],
         ["diff", p["unrelated_a"], p["unrelated_b"]], "diff", 0.3, None),
        ("one 200 MiB line, one byte changed", [fc, p["long"], p["long_edited"]],
         ["diff", p["long"], p["long_edited"]], "diff", 0.5, None),
        ("one 200 MiB line, identical", [fc, p["long"], p["long_copy"]],
         ["cmp", p["long"], p["long_copy"]], "cmp", 1.0,
         ("floor", [floor, p["long"], p["long_copy"]], FLOOR_TARGET)),
        ("one 200 MiB line, one byte changed, /C /W", [fc, "/C", "/W", p["long"], p["long_edited"]],
         ["diff", "-i", "-w", p["long"], p["long_edited"]], "diff -i -w", 1.0, None),
    ]
    out = os.path.join(args.work, "out")
    print("| input | fc s | peer | peer s | ratio | target | second | second s | ratio | target "
          "| fc MiB | peer MiB |")
    print("|---|---|---|---|---|---|---|---|---|---|---|---|")
    for name, ours, theirs, peer, target, second in rows:
        if args.only and args.only not in name:
            continue
        commands = [ours, theirs] + ([second[1]] if second else [])
        results = measure(commands, out, args.runs)
        (t_ours, m_ours), (t_peer, m_peer) = results[0], results[1]
        second_cells = "| | | | |"
        if second:
            t_second = results[2][0]
            second_cells = "| %s | %.3f | %s |" % (second[0], t_second,
                                                  within(t_ours / t_second, second[2]))
        print("| %s | %.3f | %s | %.3f | %s %s %.1f | %.1f |" % (
            name, t_ours, peer, t_peer, within(t_ours / t_peer, target), second_cells, m_ours,
            m_peer), flush=True)


def within(ratio, target):
    """A ratio and its target as two cells, the ratio marked when it is over."""
    return "%.2f%s | %.2f" % (ratio, "" if ratio <= target else " (over)", target)


if __name__ == "__main__":
    main()
