#!/usr/bin/env bash
# PrairieLearn's external grader runs this in the vorlak-grader image: it
# grades the student's tests.txt with vorlak-report and writes
# results/results.json, always, whole.  VORLAK_GRADE_ROOT moves /grade
# elsewhere (the tests do), VORLAK_REPORT names the program when it is not
# on the PATH, and VORLAK_HINTS and VORLAK_POINTS set what the students see
# and the points; VORLAK_EXPECTED=yes grades each line by the result it
# states after its dates.
set -uo pipefail
root=${VORLAK_GRADE_ROOT:-/grade}
report=${VORLAK_REPORT:-vorlak-report}
results=$root/results/results.json
mkdir -p "$root/results"
rm -f "$results"
byexpected=()
[ "${VORLAK_EXPECTED:-no}" = yes ] && byexpected=(--expected)
"$report" -f prairielearn "${byexpected[@]}" --hints "${VORLAK_HINTS:-condition}" --points "${VORLAK_POINTS:-65}" -o "$results" \
    -- "$root/student/tests.txt"
status=$?
# Should vorlak-report ever end without a document, the submission is not
# gradable, and charges no attempt.
if [ ! -f "$results" ]; then
    printf '{"gradable": false, "format_errors": ["vorlak-report ended with status %s"]}\n' "$status" \
        >"$results.tmp" && mv -f "$results.tmp" "$results"
fi
exit 0
