#!/usr/bin/env python3
"""Runs two builds of the comparer on the same random file pairs and switches, and stops at the
first report or exit status in which they differ.

Usage: bench/differential.py OLD_FC NEW_FC [--rounds N] [--seed S] [--encodings]

A change made for speed must not change a single byte of any report: this checks that on pairs
made to cover what the comparer treats specially: CR LF line ends, a last line without one,
tabs, blank runs, letters that fold by Unicode, bytes that are not UTF-8, lines longer than the
comparer's read buffer, small files and files of a few thousand lines, pairs that resynchronise
(lines deleted, inserted, changed, blocks moved) and pairs with nothing in common, under /A /C
/N /T /W, /LB from 1 to 99999999 and counts up to 99999999. A pair that differs is kept, and
its folder printed.

With --encodings, NEW reads each side stored as it stands, as UTF-8 after a byte-order mark, or
as UTF-16 or UTF-32 of either byte order after one, while OLD reads the plain UTF-8 text that
the stored file holds, under the same name: the reports must still be the same. A byte that is
not UTF-8 is stored in UTF-16 and UTF-32 as a lone surrogate, which reads as U+FFFD.
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

PIECES = ["a", "b", "c", "A", "B", " ", "  ", "\t", "x\ty", "\u00e9", "\u00c9", "\u212a", "k",
          "\udcff", "\r", "word", "WORD", "\u65e5", "\U0001f600", "0", "1", "  \t ", "z"]


def line(rng, long_share):
    """One line's text: mostly a few pieces, now and then one longer than the read buffer."""
    if rng.random() < long_share:
        n = rng.choice([3000, 70000, 140000, 300000, 600000])
        unit = "".join(rng.choice(PIECES) for _ in range(rng.randint(1, 30)))
        text = (unit * (n // len(unit) + 1))[:n]
        if rng.random() < 0.5:
            k = rng.randrange(len(text))
            text = text[:k] + rng.choice(PIECES) + text[k + 1:]
        return text
    return "".join(rng.choice(PIECES) for _ in range(rng.randint(0, 6)))


def lines(rng, count, vocabulary, long_share):
    """`count` lines, drawn from `vocabulary` distinct ones when that is not 0."""
    if vocabulary:
        words = [line(rng, long_share) for _ in range(vocabulary)]
        return [rng.choice(words) for _ in range(count)]
    return [line(rng, long_share) for _ in range(count)]


def edited(rng, original, pool):
    """A copy with lines deleted, inserted, changed, changed in case or blanks, and moved."""
    out = list(original)
    for _ in range(rng.randint(0, 1 + len(out) // 5)):
        at = rng.randrange(len(out) + 1)
        kind = rng.randrange(5)
        if kind == 0 and at < len(out):
            del out[at]
        elif kind == 1:
            out.insert(at, rng.choice(pool))
        elif kind == 2 and at < len(out):
            out[at] = rng.choice(pool)
        elif kind == 3 and out:
            start = rng.randrange(len(out))
            block = out[start:start + rng.randint(1, 50)]
            del out[start:start + len(block)]
            to = rng.randrange(len(out) + 1)
            out[to:to] = block
        elif kind == 4 and at < len(out):
            out[at] = out[at].upper() if rng.random() < 0.5 else out[at].replace(" ", "  ")
    return out


def joined(rng, texts):
    """The bytes of a file of these lines, some ending in CR LF, the last now and then in none."""
    data = b"".join(t.encode("utf-8", "surrogateescape") +
                    (b"\r\n" if rng.random() < 0.2 else b"\n") for t in texts)
    if data and rng.random() < 0.25:
        data = data[:-1]
    return data


def count(rng):
    r = rng.random()
    if r < 0.4:
        return rng.randint(1, 5)
    if r < 0.7:
        return rng.randint(1, 200)
    if r < 0.85:
        return rng.choice([1000, 100000, 1000000])
    return rng.choice([99999999, rng.randint(1, 99999999)])


def switches(rng):
    chosen = [s for s in ("/A", "/C", "/N", "/T", "/W") if rng.random() < 0.3]
    if rng.random() < 0.8:
        chosen.append("/LB%d" % count(rng))
    if rng.random() < 0.8:
        chosen.append("/%d" % (rng.randint(1, 4) if rng.random() < 0.7 else count(rng)))
    rng.shuffle(chosen)
    return chosen


def pair(rng):
    kind = rng.random()
    long_share = 0.02 if rng.random() < 0.15 else 0.0
    if kind < 0.4:
        n, vocabulary = rng.randint(0, 30), rng.randint(1, 8)
    elif kind < 0.8:
        n, vocabulary = rng.randint(0, 400), rng.choice([0, 5, 40, 200])
    else:
        n, vocabulary, long_share = rng.randint(0, 5000), rng.choice([0, 50, 2000]), 0.0
    a = lines(rng, n, vocabulary, long_share)
    if rng.random() < 0.15:
        b = lines(rng, rng.randint(0, n + 5), vocabulary, long_share)
    else:
        b = edited(rng, a, a + lines(rng, 10, 0, long_share))
    return joined(rng, a), joined(rng, b)


MARKS = {"utf-8": b"\xef\xbb\xbf", "utf-16-le": b"\xff\xfe", "utf-16-be": b"\xfe\xff",
         "utf-32-le": b"\xff\xfe\x00\x00", "utf-32-be": b"\x00\x00\xfe\xff"}


def stored(rng, data):
    """`data` stored in a random one of the encodings, and the plain UTF-8 text that the stored
    file holds: (plain, stored)."""
    how = rng.choice([None] + list(MARKS))
    if how is None:
        return data, data
    if how == "utf-8":
        return data, MARKS[how] + data
    text = data.decode("utf-8", "surrogateescape")
    plain = re.sub("[\udc80-\udcff]", "\ufffd", text).encode("utf-8")
    return plain, MARKS[how] + text.encode(how, "surrogatepass")


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def run(program, args, folder):
    done = subprocess.run([os.path.abspath(program)] + args, cwd=folder, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE)
    return done.returncode, done.stdout, done.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--rounds", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--encodings", action="store_true",
                        help="NEW reads the pairs stored with byte-order marks, as UTF-8, UTF-16 "
                        "and UTF-32")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    work = tempfile.mkdtemp(prefix="fc-differential-")
    # OLD reads the pair in one folder, NEW in the other, under the same names.
    folders = [os.path.join(work, "old"), os.path.join(work, "new")]
    for folder in folders:
        os.mkdir(folder)
    names = ["a.txt", "b.txt"]
    for round_number in range(args.rounds):
        for name, data in zip(names, pair(rng)):
            plain, kept = stored(rng, data) if args.encodings else (data, data)
            write(folders[0], name, plain)
            write(folders[1], name, kept)
        chosen = switches(rng)
        if run(args.old, chosen + names, folders[0]) != run(args.new, chosen + names, folders[1]):
            print("round %d: the reports differ for %s (the pair is in %s)"
                  % (round_number, " ".join(chosen), work))
            sys.exit(1)
    shutil.rmtree(work)
    print("%d rounds, every report the same" % args.rounds)


if __name__ == "__main__":
    main()
