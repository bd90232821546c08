#!/usr/bin/env bash
# The grading platforms without the platforms: the Gradescope archive that
# scripts/gradescope-archive.sh makes, unpacked into a root laid out as
# /autograder, set up against the built package (extracted, not installed),
# and run on submissions of every kind; the PrairieLearn grader on a root
# laid out as /grade; the GitHub Classroom workflow read as YAML.  Each
# results.json is held to its schema (tests/validate/) and to vorlak -i.
#
#   tests/platforms/platforms-test.sh      (after cmake --workflow --preset package)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "platforms-test: $*" >&2; exit 1; }

# The archive: the three files and the package at its root, the scripts executable.
"$root"/scripts/gradescope-archive.sh "$work/autograder.zip" >/dev/null
mkdir -p "$work/autograder/source"
python3 -m zipfile -e "$work/autograder.zip" "$work/autograder/source"
python3 - "$work/autograder.zip" <<'PY' || fail "the archive does not hold what Gradescope runs"
import stat, sys, zipfile
names = {i.filename: i for i in zipfile.ZipFile(sys.argv[1]).infolist()}
assert {"setup.sh", "run_autograder", "vorlak.conf"} <= names.keys(), names.keys()
assert sum(n.startswith("vorlak_") and n.endswith(".deb") for n in names) == 1, names.keys()
for script in ("setup.sh", "run_autograder"):
    assert names[script].external_attr >> 16 & stat.S_IXUSR, script
PY
chmod +x "$work"/autograder/source/{setup.sh,run_autograder}

# setup.sh with an apt-get that extracts the package it is given.
installed=$work/installed
cat >"$work/apt-get" <<SH
#!/bin/sh
for deb; do :; done
dpkg-deb -x "\$deb" "$installed"
SH
chmod +x "$work/apt-get"
VORLAK_APT_GET=$work/apt-get "$work/autograder/source/setup.sh"
report=$installed/usr/bin/vorlak-report
vorlak=$installed/usr/bin/vorlak
[ -x "$report" ] && [ -x "$vorlak" ] || fail "setup.sh did not install vorlak"

# What vorlak -i kills on a file, or none when it cannot open it.
killed() { "$vorlak" -i "$1" 2>/dev/null | sed -n 's|^\([0-9]*\)/65 mutants killed.*|\1|p' | grep . || echo none; }
check() { node "$root/tests/validate/platform.mjs" "$@"; }

examples=$root/examples
sub=$work/autograder/submission
# submission NAME CONTENT-MAKER: a fresh submission folder.
fresh() { rm -rf "$sub" "$work/autograder/results"; mkdir -p "$sub"; }
grade() {
    VORLAK_AUTOGRADER_ROOT=$work/autograder VORLAK_REPORT=$report "$work/autograder/source/run_autograder" ||
        fail "run_autograder failed"
    check gradescope "$work/autograder/results/results.json" "$1" "${2:-65}"
}
fresh; cp "$examples/adequate.txt" "$sub/tests.txt"; grade "$(killed "$sub/tests.txt")"
fresh; cp "$examples/starter.txt" "$sub/tests.txt"; grade "$(killed "$sub/tests.txt")"
fresh; : >"$sub/tests.txt"; grade none
fresh; grade none                                   # no .txt file
fresh; mkdir "$sub/tests.txt"; grade none           # a folder by the name
fresh; cp "$examples/starter.txt" "$sub/a.txt"; cp "$examples/adequate.txt" "$sub/b.txt"; grade none
fresh; printf '02/29/2000 03/01/2000\0\n13/01/2000 01/01/2000\n' >"$sub/tests.txt"; grade "$(killed "$sub/tests.txt")"
fresh; { printf '01/31/2001 02/01/2001'; head -c 2097152 /dev/zero | tr '\0' 7; echo; } >"$sub/tests.txt"
grade "$(killed "$sub/tests.txt")"
# The teacher's settings: a named file among several, ten points, hidden tests.
fresh; cp "$examples/starter.txt" "$sub/mine.txt"; cp "$examples/adequate.txt" "$sub/other.txt"
printf 'hints=score\npoints=10\nvisibility=hidden\nfile=mine.txt\n' >"$work/autograder/source/vorlak.conf"
grade "$(killed "$sub/mine.txt")" 10
grep -q '"visibility": "hidden"' "$work/autograder/results/results.json" || fail "the tests are not hidden"
# Graded by the results the lines state: the wrong line counts for nothing.
stated() { "$report" --expected "$1" | sed -n 's|^\([0-9]*\)/65 mutants killed.*|\1|p'; }
fresh; cp "$examples/expected.txt" "$sub/tests.txt"
printf 'expected=yes\n' >"$work/autograder/source/vorlak.conf"
[ "$(stated "$sub/tests.txt")" -lt "$(killed "$sub/tests.txt")" ] || fail "the wrong line of expected.txt costs nothing"
grade "$(stated "$sub/tests.txt")"
grep -q 'expectations: 8 right, 1 wrong, 0 missing' "$work/autograder/results/results.json" ||
    fail "the document does not count the expectations"
rm "$work/autograder/source/vorlak.conf"

# PrairieLearn's grader on a /grade root.
grade=$work/grade
plgrade() {
    VORLAK_GRADE_ROOT=$grade VORLAK_REPORT=$report "$examples/prairielearn/tests/grade.sh" || fail "grade.sh failed"
    check prairielearn "$grade/results/results.json" "$1" 65
}
for file in adequate starter; do
    rm -rf "$grade"; mkdir -p "$grade/student"; cp "$examples/$file.txt" "$grade/student/tests.txt"
    plgrade "$(killed "$grade/student/tests.txt")"
done
rm -rf "$grade"; mkdir -p "$grade/student"; cp "$examples/expected.txt" "$grade/student/tests.txt"
VORLAK_EXPECTED=yes plgrade "$(stated "$grade/student/tests.txt")"
rm -rf "$grade"; mkdir -p "$grade/student"; plgrade none
rm -rf "$grade"; mkdir -p "$grade/student"; : >"$grade/student/tests.txt"; plgrade none
python3 - "$examples/prairielearn/info.json" <<'PY' || fail "info.json lacks the external grading it needs"
import json, sys
info = json.load(open(sys.argv[1]))
assert info["gradingMethod"] == "External"
options = info["externalGradingOptions"]
assert options["enabled"] is True and options["image"] and options["entrypoint"] == "/grade/tests/grade.sh"
assert isinstance(options["timeout"], int)
PY

# The GitHub Classroom workflow: YAML, installing the package and grading
# tests.txt with --fail-under in each command.
python3 - "$examples/github-classroom/classroom.yml" <<'PY' || fail "the workflow lacks what the docs name"
import sys, yaml
flow = yaml.safe_load(open(sys.argv[1]))
steps = flow["jobs"]["run-autograding-tests"]["steps"]
assert any("apt-get install" in s.get("run", "") and "vorlak.deb" in s["run"] for s in steps)
graders = [s for s in steps if s.get("uses", "").startswith("classroom-resources/autograding-command-grader")]
assert graders and all("--fail-under" in s["with"]["command"] and "max-score" in s["with"] for s in graders)
reporter = [s for s in steps if s.get("uses", "").startswith("classroom-resources/autograding-grading-reporter")]
assert reporter and reporter[0]["with"]["runners"].split(",") == [s["id"] for s in graders]
PY
echo "platforms-test: the archive, the grader and the workflow hold"
