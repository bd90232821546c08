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
VORLAK_APT_GET=$work/apt-get VORLAK_REPORT=$installed/usr/bin/vorlak-report "$work/autograder/source/setup.sh"
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
fresh; : >"$sub/tests.txt"; grade 0
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
# The leaderboard when the teacher asks for it: the mutants killed and the
# tests vorlak runs (the starter's lines are all shorter than 999 bytes).
fresh; cp "$examples/starter.txt" "$sub/tests.txt"
printf 'leaderboard = yes\n' >"$work/autograder/source/vorlak.conf"
grade "$(killed "$sub/tests.txt")"
python3 - "$work/autograder/results/results.json" "$(killed "$sub/tests.txt")" "$(wc -l <"$examples/starter.txt")" <<'PY' ||
import json, sys
board = {e["name"]: e for e in json.load(open(sys.argv[1]))["leaderboard"]}
assert board["mutants killed"]["value"] == int(sys.argv[2]) and board["mutants killed"]["order"] == "desc", board
assert board["tests"]["value"] == int(sys.argv[3]) and board["tests"]["order"] == "asc", board
PY
    fail "the leaderboard does not give the mutants killed and the tests"

# Settings as a teacher writes them: blanks around =, comments, CR LF, any case.
fresh; cp "$examples/starter.txt" "$sub/mine.txt"; cp "$examples/adequate.txt" "$sub/other.txt"
printf '# the course\r\nHints = Score # the score alone\r\n\r\nPOINTS=10\r\nfile = mine.txt\r\nVisibility=HIDDEN\r\n' \
    >"$work/autograder/source/vorlak.conf"
VORLAK_APT_GET=true VORLAK_REPORT=$report "$work/autograder/source/setup.sh" || fail "setup.sh refuses good settings"
grade "$(killed "$sub/mine.txt")" 10
grep -q '"visibility": "hidden"' "$work/autograder/results/results.json" || fail "the tests are not hidden"
! grep -q 'concept: \|to reach it: \|to infect it: ' "$work/autograder/results/results.json" ||
    fail "Hints = Score shows more than the score"

# notgraded WHY: the document gives no points and says only why, with no
# path of the grader in it.
notgraded() {
    python3 - "$work/autograder/results/results.json" "Not graded: $1"$'\n' "$work" <<'PY' ||
import json, sys
document = json.load(open(sys.argv[1]))
assert document["score"] == 0 and document["output"] == sys.argv[2], document["output"]
assert sys.argv[3] not in json.dumps(document), document
PY
        fail "the document does not say: Not graded: $1"
}

# Wrong settings: setup.sh fails with the line and what it allows, and
# run_autograder grades no one with other settings.
while IFS='|' read -r conf message; do
    printf '%b' "$conf" >"$work/autograder/source/vorlak.conf"
    ! VORLAK_APT_GET=true VORLAK_REPORT=$report "$work/autograder/source/setup.sh" 2>"$work/err" ||
        fail "setup.sh takes $conf"
    [ "$(cat "$work/err")" = "vorlak-report: vorlak.conf $message" ] || fail "setup.sh says: $(cat "$work/err")"
    fresh; cp "$examples/starter.txt" "$sub/tests.txt"
    VORLAK_AUTOGRADER_ROOT=$work/autograder VORLAK_REPORT=$report "$work/autograder/source/run_autograder" 2>"$work/err"
    check gradescope "$work/autograder/results/results.json" none 65
    notgraded "the course's autograder settings are invalid"
    grep -qF "vorlak.conf $message" "$work/err" || fail "run_autograder does not tell the teacher: $(cat "$work/err")"
done <<'CASES'
# hints\nhints=conditon\n|line 2: unknown hint level "conditon": one of score, state, concept, condition, mutant, answer
hint=score\n|line 1: unknown key "hint": one of hints, points, visibility, expected, file, leaderboard
points=0\n|line 1: points "0" is not a positive number: one above 0 and at most 1e9, such as 65 or 2.5
points=ten\r\n|line 1: points "ten" is not a positive number: one above 0 and at most 1e9, such as 65 or 2.5
file=../tests.txt\n|line 1: file "../tests.txt" is not a plain name: the name of a file in the submission folder, such as tests.txt, or nothing for its only .txt file
expected=true\n|line 1: expected is yes or no, not "true"
hints state\n|line 1: "hints state" is not key=value: a key is one of hints, points, visibility, expected, file, leaderboard
hints=score\nHINTS=state\n|line 2: hints is set again, after line 1: set each key once
CASES
rm "$work/autograder/source/vorlak.conf"

# Submissions only as uploaded: a link (outside the folder or inside it), a
# fifo, a socket for want of a device, a folder; none is opened, and each
# message names the file as the student uploaded it.
nonfile() {
    fresh; "$@"
    timeout 60 env VORLAK_AUTOGRADER_ROOT="$work/autograder" VORLAK_REPORT="$report" \
        "$work/autograder/source/run_autograder" || fail "run_autograder failed on $*"
    check gradescope "$work/autograder/results/results.json" none 65
}
nonfile ln -s "$examples/adequate.txt" "$sub/tests.txt"; notgraded "tests.txt is a link; upload the file itself."
nonfile eval 'cp "$examples/adequate.txt" "$sub/real" && ln -s real "$sub/tests.txt"'
notgraded "tests.txt is a link; upload the file itself."
nonfile mkfifo "$sub/tests.txt"; notgraded "tests.txt is not a regular file; upload the file itself."
nonfile python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$sub/tests.txt"
notgraded "tests.txt is not a regular file; upload the file itself."
nonfile mkdir "$sub/tests.txt"; notgraded "tests.txt is a folder; upload your test file."
# A link beside the file: the file alone is graded.
fresh; cp "$examples/starter.txt" "$sub/tests.txt"; ln -s "$examples/adequate.txt" "$sub/notes.txt"
grade "$(killed "$sub/tests.txt")"
# The named file: a link to it is not it, and a missing one is named.
printf 'file=mine.txt\n' >"$work/autograder/source/vorlak.conf"
nonfile ln -s "$examples/adequate.txt" "$sub/mine.txt"; notgraded "mine.txt is a link; upload the file itself."
nonfile cp "$examples/starter.txt" "$sub/tests.txt"
notgraded "the submission holds no mine.txt: upload your test file as mine.txt."
rm "$work/autograder/source/vorlak.conf"
# vorlak-report's own errors name the file as uploaded too.
fresh; printf 'x\n' >"$sub/tests.txt"; chmod 0 "$sub/tests.txt"
if ! [ -r "$sub/tests.txt" ]; then
    grade none; notgraded "tests.txt: Permission denied"
fi

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
# plnotgradable WHY: not gradable, charging no attempt, and saying only why.
plnotgradable() {
    python3 - "$grade/results/results.json" "Not graded: $1" "$work" <<'PY' || fail "grade.sh does not say: $1"
import json, sys
document = json.load(open(sys.argv[1]))
assert document["gradable"] is False and document["message"] == sys.argv[2], document
assert sys.argv[3] not in json.dumps(document), document
PY
}
rm -rf "$grade"; mkdir -p "$grade/student"; plgrade none; plnotgradable "the submission holds no tests.txt: upload your test file."
# The settings in any case; a wrong one is the course's failure, never
# another level.
rm -rf "$grade"; mkdir -p "$grade/student"; cp "$examples/starter.txt" "$grade/student/tests.txt"
VORLAK_HINTS=Score VORLAK_EXPECTED=No plgrade "$(killed "$grade/student/tests.txt")"
! grep -q 'concept: \|to reach it: \|to infect it: ' "$grade/results/results.json" || fail "VORLAK_HINTS=Score shows more"
while IFS='|' read -r setting message; do
    env "$setting" VORLAK_GRADE_ROOT="$grade" VORLAK_REPORT="$report" "$examples/prairielearn/tests/grade.sh" 2>"$work/err"
    check prairielearn "$grade/results/results.json" none 65
    plnotgradable "the course's autograder settings are invalid"
    [ "$(cat "$work/err")" = "vorlak-report: ${setting%%=*}: $message" ] || fail "grade.sh says: $(cat "$work/err")"
done <<'CASES'
VORLAK_HINTS=conditon|unknown hint level "conditon": one of score, state, concept, condition, mutant, answer
VORLAK_EXPECTED=true|expected is yes or no, not "true"
VORLAK_POINTS=10|PrairieLearn grades by the score, a fraction of the question's points: set the points in the assessment, and leave out VORLAK_POINTS
CASES
for make in 'ln -s $examples/adequate.txt tests.txt|tests.txt is a link; upload the file itself.' \
    'mkfifo tests.txt|tests.txt is not a regular file; upload the file itself.' \
    'mkdir tests.txt|tests.txt is a folder; upload your test file.'; do
    rm -rf "$grade"; mkdir -p "$grade/student"; (cd "$grade/student" && eval "${make%%|*}")
    timeout 60 env VORLAK_GRADE_ROOT="$grade" VORLAK_REPORT="$report" "$examples/prairielearn/tests/grade.sh" ||
        fail "grade.sh failed"
    check prairielearn "$grade/results/results.json" none 65
    plnotgradable "${make#*|}"
done
# The image: an ENV line for each setting, checked by the build as the
# grader reads it.
python3 - "$examples/prairielearn/Dockerfile" <<'PY' || fail "the Dockerfile does not set and check each setting"
import sys
lines = open(sys.argv[1]).read().splitlines()
env = [l.split()[1].split("=")[0] for l in lines if l.startswith("ENV ")]
assert env == ["VORLAK_HINTS", "VORLAK_EXPECTED"], env
assert lines.index("RUN vorlak-report --check-settings-environment") > max(i for i, l in enumerate(lines) if l.startswith("ENV "))
PY
(eval "$(sed -n 's/^ENV \(VORLAK_[A-Z]*=[a-z]*\)$/export \1/p' "$examples/prairielearn/Dockerfile")"
    "$report" --check-settings-environment >/dev/null) || fail "the Dockerfile's settings are wrong"
python3 - "$examples/prairielearn/info.json" <<'PY' || fail "info.json lacks the external grading it needs"
import json, sys
info = json.load(open(sys.argv[1]))
assert info["gradingMethod"] == "External"
options = info["externalGradingOptions"]
assert options["enabled"] is True and options["entrypoint"] == "/grade/tests/grade.sh"
assert options["image"] == "YOURNAMESPACE/vorlak-grader", options["image"]
assert "uuid" in info["comment"], "no note that each copy needs a uuid of its own"
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
assert "--hints state" in graders[0]["with"]["command"], graders[0]["with"]["command"]
PY
# Each step as its grader runs it, on the starter: the failing ones say why.
mkdir "$work/classroom"; cp "$examples/starter.txt" "$work/classroom/tests.txt"
python3 - "$examples/github-classroom/classroom.yml" <<'PY' >"$work/commands"
import sys, yaml
for s in yaml.safe_load(open(sys.argv[1]))["jobs"]["run-autograding-tests"]["steps"]:
    if s.get("uses", "").startswith("classroom-resources/autograding-command-grader"):
        print(s["with"]["command"])
PY
while read -r command; do
    threshold=$(sed -n 's/.*--fail-under \([0-9]*\).*/\1/p' <<<"$command")
    ! (cd "$work/classroom" && PATH=$installed/usr/bin:$PATH sh -c "$command" >/dev/null 2>"$work/err") ||
        fail "$command passes the starter"
    grep -q "^vorlak-report: 19 of 65 mutants killed (29%), below the $threshold% that --fail-under asks for" "$work/err" ||
        fail "$command does not say why it fails: $(cat "$work/err")"
done <"$work/commands"
echo "platforms-test: the archive, the grader and the workflow hold"
