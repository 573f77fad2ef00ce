#!/usr/bin/python3
"""Checks the translations against the program's sources.

lupdate, run over the sources into copies of the .ts files, must find every
text translated (no unfinished entry) and no translation left of a text that
the sources no longer have (no vanished or obsolete entry). Each translation
must also keep its source's values (%1 to %9, and %n, which a plural form may
leave out) and its accelerator (a single '&'), if the source has one.

Usage: check_translations.py <lupdate> <file listing the sources> <.ts file>...
Exits 1, naming each entry that fails, when any does; 0 otherwise."""

import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from collections import Counter
from pathlib import Path

VALUE = re.compile(r"%[1-9n]")
ACCELERATOR = re.compile(r"&(?!&)")


def values(text):
    return Counter(VALUE.findall(text.replace("&&", "")))


def accelerators(text):
    return len(ACCELERATOR.findall(text.replace("&&", "")))


def problems(ts_file):
    """Each fault of the updated copy `ts_file`, as a line for the reader."""
    found = []
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            kind = translation.get("type")
            where = f"{name}: {source!r}"
            if kind in ("unfinished", "vanished", "obsolete"):
                found.append(f"{kind}: {where}")
                continue
            plural = message.get("numerus") == "yes"
            forms = ([form.text or "" for form in translation.iter("numerusform")] if plural
                     else [translation.text or ""])
            for form in forms:
                wanted = values(source)
                if plural and "%n" not in form:
                    del wanted["%n"]
                if values(form) != wanted:
                    found.append(f"values differ: {where} -> {form!r}")
                if accelerators(form) != accelerators(source):
                    found.append(f"accelerators differ: {where} -> {form!r}")
    return found


def main():
    lupdate, source_list, ts_files = sys.argv[1], sys.argv[2], sys.argv[3:]
    failed = False
    with tempfile.TemporaryDirectory() as scratch:
        copies = [shutil.copy(ts, Path(scratch) / Path(ts).name) for ts in ts_files]
        subprocess.run([lupdate, "-silent", "-locations", "none", "@" + source_list, "-ts", *copies],
                       check=True)
        for copy in copies:
            for problem in problems(copy):
                print(f"{Path(copy).name}: {problem}", file=sys.stderr)
                failed = True
    print("FAIL" if failed else f"PASS: {len(ts_files)} translations complete")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
