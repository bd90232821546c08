"""Reads vorlak-report's csv with Python's csv module, as a spreadsheet or a
CI script would: the header, 65 records in number order, the empty fields of
the survivors, and the kill matrix.

Usage: report_csv.py VORLAK-REPORT TESTFILE...
"""
import csv
import io
import re
import subprocess
import sys

HEADER = ["mutant", "stage", "function", "status", "line", "reference", "result", "description"]
STAGES = {"syntax check", "date check", "leap year", "day difference"}


def records(program, *args):
    out = subprocess.run([program, "-f", "csv", *args], check=True, capture_output=True).stdout
    # RFC 4180: every record ends in CR LF, the last one too.
    assert out.endswith(b"\r\n"), "the last record does not end in CR LF"
    assert b"\n" not in out.replace(b"\r\n", b""), "a line break that is not CR LF"
    return list(csv.reader(io.StringIO(out.decode("ascii"), newline=""), strict=True))


def check(program, path):
    rows = records(program, path)
    assert rows[0] == HEADER, rows[0]
    assert [int(r[0]) for r in rows[1:]] == list(range(1, 66))
    killed = {}
    for mutant, stage, function, status, line, reference, result, description in rows[1:]:
        assert stage in STAGES and re.fullmatch(r"m\d+[a-z]+", function) and description, mutant
        if status == "killed":
            killed[int(mutant)] = int(line)
            assert int(reference) != int(result), mutant
        else:
            assert status == "survived" and line == reference == result == "", mutant
    summary = subprocess.run([program, path], check=True, capture_output=True, text=True).stdout
    assert f"\n{len(killed)}/65 mutants killed. (" in summary, summary

    # The matrix names each line once at least, and each first kill.
    matrix = records(program, "--matrix", path)
    assert matrix[0] == ["line", "mutant"]
    pairs = {(int(line), int(mutant)) for line, mutant in matrix[1:] if mutant}
    lines = {int(line) for line, _ in matrix[1:]}
    assert lines == set(range(1, len(lines) + 1)), "a line left out of the matrix"
    assert {m for _, m in pairs} == set(killed)
    for mutant, first in killed.items():
        assert first == min(l for l, m in pairs if m == mutant), mutant
    return len(killed)


def main():
    program, *paths = sys.argv[1:]
    for path in paths:
        print(f"ok   {path}: {check(program, path)} killed")
    print(f"{len(paths)} passed, 0 failed")


if __name__ == "__main__":
    main()
