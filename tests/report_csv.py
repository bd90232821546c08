"""Reads vorlak-report's csv with Python's csv module, as a spreadsheet or a
CI script would: the header, 65 records in number order, the empty fields of
the survivors, and the kill matrix; then the gradebook of --class over all
the files and one that is missing.

Usage: report_csv.py VORLAK-REPORT TESTFILE...
"""
import csv
import io
import re
import subprocess
import sys

HEADER = ["mutant", "stage", "function", "status", "line", "reference", "result", "description",
          "reached", "infected"]
STAGES = {"syntax check", "date check", "leap year, in the date check", "leap year, in the day count", "day difference"}


def records(program, *args, status=0):
    run = subprocess.run([program, "-f", "csv", *args], capture_output=True)
    assert run.returncode == status, (args, run.returncode, run.stderr)
    out = run.stdout
    # RFC 4180: every record ends in CR LF, the last one too.
    assert out.endswith(b"\r\n"), "the last record does not end in CR LF"
    assert b"\n" not in out.replace(b"\r\n", b""), "a line break that is not CR LF"
    return list(csv.reader(io.StringIO(out.decode("utf-8"), newline=""), strict=True))


def check(program, path):
    rows = records(program, path)
    assert rows[0] == HEADER, rows[0]
    assert [int(r[0]) for r in rows[1:]] == list(range(1, 66))
    killed = {}
    for mutant, stage, function, status, line, reference, result, description, reached, infected in rows[1:]:
        assert stage in STAGES and re.fullmatch(r"m\d+[a-z]+", function) and description, mutant
        # A line that kills a mutant infects it, and one that infects it reaches it.
        if infected:
            assert reached and int(reached) <= int(infected), mutant
        if status == "killed":
            killed[int(mutant)] = int(line)
            assert int(reference) != int(result), mutant
            assert infected and int(infected) <= int(line), mutant
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


def runs(numbers):
    """The survivors as vorlak-report writes them: "1-17 21 24-28"."""
    spans = []
    for n in numbers:
        if spans and spans[-1][1] + 1 == n:
            spans[-1][1] = n
        else:
            spans.append([n, n])
    return " ".join(str(a) if a == b else f"{a}-{b}" for a, b in spans)


def gradebook(program, paths, killed):
    missing = "/nonexistent/missing.txt"
    rows = records(program, "--class", "-j", "2", *paths, missing, status=1)
    assert rows[0] == ["file", "killed", "percent", "lines", "needed", "survivors", "error"], rows[0]
    assert [r[0] for r in rows[1:]] == [*paths, missing]
    for path, (name, kills, percent, lines, needed, survivors, error) in zip(paths, rows[1:]):
        report = records(program, path)
        left = [int(r[0]) for r in report[1:] if r[3] == "survived"]
        assert int(kills) == killed[path] == 65 - len(left), path
        assert percent == str(round(int(kills) * 100 / 65)), path
        assert int(needed) <= int(lines) and survivors == runs(left), path
        # A file read has no error, unless it holds no line of 22 bytes or
        # more (its newline counted), which kills nothing and says so.
        with open(path, "rb") as f:
            testable = any(len(line) >= 22 for line in f)
        assert error == "" if testable else int(kills) == 0 and "no line long enough to test" in error, path
    assert rows[-1][1:] == ["", "", "", "", "", "No such file or directory"], rows[-1]


def main():
    program, *paths = sys.argv[1:]
    killed = {}
    for path in paths:
        killed[path] = check(program, path)
        print(f"ok   {path}: {killed[path]} killed")
    gradebook(program, paths, killed)
    print(f"ok   --class over all {len(paths)} and a missing file")
    print(f"{len(paths) + 1} passed, 0 failed")


if __name__ == "__main__":
    main()
