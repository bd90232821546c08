#!/usr/bin/env python3
"""Holds what the student's package installs to the rule that nothing a
student installs states a solution: no file below the given folders (the
vorlak package or tarball, unpacked) may hold a test line of
examples/adequate.txt or of docs/teaching.md (the lines it gives in
backticks, which kill the survivors it names), or a sentence of
docs/teaching.md.

A line counts by its 21 columns of dates, the note after them left out; the
lines that the student's own examples (starter.txt, expected.txt) hold too
are no solution.  A sentence is one of the guide's prose, of five words or
more, compared with its spaces folded; its tables and commands are left out,
and so are the concepts' sentences, which every surface shows a student
from the hint level concept up (mutants/catalogue.hpp), and the few below
that the guide shares with report.md word for word on purpose: they say how
the reports read, not what kills a mutant.  Compressed files
are read unpacked, programs as their bytes.

    tests/package/nosolutions.py FOLDER...
"""
import gzip
import os
import re
import sys

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def read(path):
    with open(os.path.join(root, path), "rb") as f:
        return f.read()


def folded(data):
    return re.sub(rb"\s+", b" ", data)


def datelines(path):
    return {line[:21] for line in read(path).splitlines() if len(line) >= 21}


def sentences(markdown, minwords=5):
    text = re.sub(rb"```.*?```", b"", markdown, flags=re.S)
    found = set()
    for para in re.split(rb"\n\s*\n", text):
        lines = [l for l in para.split(b"\n") if l.strip()]
        if not lines or lines[0].lstrip().startswith((b"|", b"#")):
            continue
        # A list's items are paragraphs of their own.
        items = re.split(rb"\n\s*(?:-|\d+\.) ", b"\n" + b"\n".join(lines))
        for item in items:
            for sentence in re.split(rb"(?<=[.!?])\s+", folded(item).strip()):
                if len(sentence.split()) >= minwords:
                    found.add(sentence)
    return found


shared = {
    b"**reversed**: both counts are negative, so both results are -3.",
    b"A killed mutant shows its number, its first killing line and the two results at every level, its concept"
    b" from `concept` up, and its description and alteration from `mutant` up.",
}
own = datelines("examples/starter.txt") | datelines("examples/expected.txt")
quoted = set(re.findall(rb"`(../../.... ../../....)", read("docs/teaching.md")))
lines = (datelines("examples/adequate.txt") | quoted) - own
catalogue = folded(read("mutants/catalogue.hpp"))
guide = {s for s in sentences(read("docs/teaching.md")) if s not in catalogue and s not in shared}
if len(lines) < 50 or len(guide) < 50:
    sys.exit(f"nosolutions: only {len(lines)} lines and {len(guide)} sentences to look for")

faults = []
count = 0
for folder in sys.argv[1:]:
    for dirpath, _, names in os.walk(folder):
        for name in sorted(names):
            path = os.path.join(dirpath, name)
            if os.path.islink(path) or not os.path.isfile(path):
                continue
            with open(path, "rb") as f:
                data = f.read()
            if name.endswith(".gz"):
                data = gzip.decompress(data)
            count += 1
            for line in sorted(lines):
                if line in data:
                    faults.append(f"{path} holds the solution's line {line.decode(errors='replace')}")
            flat = folded(data)
            for sentence in sorted(guide):
                if sentence in flat:
                    faults.append(f"{path} holds a sentence of docs/teaching.md: {sentence.decode(errors='replace')}")
if count == 0:
    sys.exit("nosolutions: no file to look at")
for fault in faults:
    print(f"nosolutions: {fault}", file=sys.stderr)
sys.exit(1 if faults else 0)
