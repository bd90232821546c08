#!/usr/bin/env bash
# PrairieLearn's external grader runs this in the vorlak-grader image: it
# grades the student's tests.txt with vorlak-report and writes
# results/results.json, always, whole.  VORLAK_GRADE_ROOT moves /grade
# elsewhere (the tests do) and VORLAK_REPORT names the program when it is
# not on the PATH.  The image's ENV lines hold the course's settings:
# VORLAK_HINTS, what the students see, and VORLAK_EXPECTED=yes to grade each
# line by the result it states after its dates.  PrairieLearn grades by the
# score, a fraction: the question's points are the assessment's.
set -uo pipefail
root=${VORLAK_GRADE_ROOT:-/grade}
report=${VORLAK_REPORT:-vorlak-report}
mkdir -p "$root/results"
root=$(cd "$root" && pwd)
# vorlak-report runs inside the student's folder, so the program's path
# must not depend on where it runs.
case $report in /*) ;; */*) report=$PWD/$report ;; esac
results=$root/results/results.json
rm -f "$results"

# A document that grades nothing and charges no attempt: why goes to the
# student, and with it the format error.
notgradable() {
    printf '{"gradable": false, "score": 0, "message": "Not graded: %s", "format_errors": ["%s"]}\n' "$1" "$1" \
        >"$results.tmp" && mv -f "$results.tmp" "$results"
}

# The settings as vorlak-report reads them, never other ones: when they are
# wrong, the course staff's message goes to standard error, into the
# grading job's log, and the submission is not gradable.
settings=$("$report" --check-settings-environment)
status=$?
if [ $status -ne 0 ]; then
    if [ $status -eq 1 ]; then
        notgradable "the course's autograder settings are invalid"
    else
        notgradable "vorlak-report ended with status $status"
    fi
    exit 0
fi
while IFS= read -r line; do
    case $line in
    hints=*) hints=${line#*=} ;;
    expected=*) expected=${line#*=} ;;
    esac
done <<<"$settings"

# Only a regular file is read, never a link (to anywhere), a fifo, a device
# or a folder, and nothing is opened to find out.
name=tests.txt
cd "$root/student" 2>/dev/null || { notgradable "the submission holds no $name: upload your test file."; exit 0; }
if [ -L $name ]; then
    notgradable "$name is a link; upload the file itself."
elif [ -d $name ]; then
    notgradable "$name is a folder; upload your test file."
elif [ -e $name ] && [ ! -f $name ]; then
    notgradable "$name is not a regular file; upload the file itself."
elif [ ! -e $name ]; then
    notgradable "the submission holds no $name: upload your test file."
else
    byexpected=()
    [ "$expected" = yes ] && byexpected=(--expected)
    "$report" -f prairielearn "${byexpected[@]}" --hints "$hints" -o "$results" -- $name
    status=$?
    # Should vorlak-report ever end without a document, the submission is
    # not gradable, and charges no attempt.
    [ -f "$results" ] || notgradable "vorlak-report ended with status $status"
fi
exit 0
