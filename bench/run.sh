#!/usr/bin/env bash
# Times vorlak against the read floor: builds the release preset, makes a
# 1,000,000-line survive file (no line kills any mutant, so all 65 passes
# read all of it), runs the floor and vorlak in alternation and prints the
# ratio of the median CPU times (user + system), the peak resident memory
# and the bytes read, as a Markdown table.  The machine is shared, so CPU
# time, not wall time, and medians of alternating runs.
#
# Environment: VORLAK_BUILD (build directory, default build/release),
# RUNS (runs of each program, default 7), LINES (default 1000000),
# CLASS (files in the class case, default 1000, 0 to leave it out).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLAK_BUILD:-$root/build/release}
runs=${RUNS:-7}
lines=${LINES:-1000000}
classfiles=${CLASS:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --preset release -B "$build" -S "$root" >/dev/null
cmake --build "$build" --target vorlak vorlak-generate vorlak-floor vorlak-cputime >/dev/null
# vorlak-report is timed when the tree has it, plain, with --matrix and with
# --minimize; its exit status is checked, its messages are left out.
cmake --build "$build" --target vorlak-report >/dev/null 2>&1 || true

vorlak=$build/harness/vorlak
report=$build/report/vorlak-report
floor=$build/bench/vorlak-floor
meter=$build/bench/vorlak-cputime
generate=$build/bench/vorlak-generate
[[ -x $report ]] || report=

# cost FILE-FOR-STDOUT COMMAND...: "cpu rss_kib bytes_read status"
cost() { local out=$1; shift; "$meter" -o "$out" "$@"; }
field() { cut -d' ' -f"$1"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
maximum() { sort -g | tail -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.2f MiB", k / 1024 }'; }
succeeded() {  # succeeded WHAT MEASUREMENTS: every run measured there ended with status 0
    if field 4 <"$2" | grep -qv '^0$'; then
        echo "run.sh: $1 did not end with exit status 0" >&2
        exit 1
    fi
}
check() {  # check STDOUT-FILE EXPECTED-SUMMARY WHAT
    local got
    got=$(tail -n 1 "$1")
    [[ $got == "$2" ]] || { echo "run.sh: $3: vorlak printed '$got', not '$2'" >&2; exit 1; }
}

# alternate NAME FILE: runs the floor, vorlak and vorlak-report in turn,
# $runs times, and leaves their cost lines in $work/NAME.{floor,vorlak,report,matrix,minimize}.
alternate() {
    local name=$1 file=$2
    : >"$work/$name.floor"; : >"$work/$name.vorlak"; : >"$work/$name.report"
    : >"$work/$name.matrix"; : >"$work/$name.minimize"
    for ((i = 0; i < runs; i++)); do
        cost /dev/null "$floor" "$file" >>"$work/$name.floor"
        cost "$work/$name.out" "$vorlak" -i "$file" >>"$work/$name.vorlak"
        if [[ -n $report ]]; then
            cost /dev/null "$report" "$file" >>"$work/$name.report" 2>/dev/null
            cost /dev/null "$report" --matrix "$file" >>"$work/$name.matrix" 2>/dev/null
            cost /dev/null "$report" --minimize "$file" >>"$work/$name.minimize" 2>/dev/null
        fi
    done
}

"$generate" survive "$lines" 1 >"$work/survive.txt"
"$generate" long 5000 1 >"$work/long.txt"
head -c 20971520 /dev/zero | tr '\0' 'x' >"$work/oneline.txt"   # 20 MiB, no newline

alternate survive "$work/survive.txt"
check "$work/survive.out" "0/65 mutants killed. (0%)" "survive file"
alternate long "$work/long.txt"
check "$work/long.out" "0/65 mutants killed. (0%)" "long file"
oneline=$(cost "$work/oneline.out" "$vorlak" -i "$work/oneline.txt")
check "$work/oneline.out" "0/65 mutants killed. (0%)" "20 MiB line"

floorcpu=$(field 1 <"$work/survive.floor" | median)
vorlakcpu=$(field 1 <"$work/survive.vorlak" | median)
longfloor=$(field 1 <"$work/long.floor" | median)
longvorlak=$(field 1 <"$work/long.vorlak" | median)
rss=$( { field 2 <"$work/survive.vorlak"; field 2 <"$work/long.vorlak"; echo "$oneline" | field 2; } | maximum)
onelinerss=$(echo "$oneline" | field 2)

# A file whose first lines kill all 65 mutants, followed by the survive file:
# each pass should stop reading soon after its killing line.
early=
if [[ -f $root/examples/adequate.txt ]]; then
    cat "$root/examples/adequate.txt" "$work/survive.txt" >"$work/early.txt"
    earlycost=$(cost "$work/early.out" "$vorlak" -i "$work/early.txt")
    check "$work/early.out" "65/65 mutants killed. (100%)" "early-kill file"
    early=$(echo "$earlycost" | field 3)
fi

echo "| measure | must | aim | measured |"
echo "|---|---|---|---|"
echo "| CPU time, $lines-line \`survive\` file, vorlak ÷ read floor, same run | ≤ 3.0 | ≤ 2.0 | $(ratio "$vorlakcpu" "$floorcpu") ($vorlakcpu s ÷ $floorcpu s) |"
echo "| peak resident memory, any file size, any line length (a 20 MB line without a newline included) | ≤ 4 MiB | ≤ 3 MiB | $(mib "$rss") (20 MiB line: $(mib "$onelinerss")) |"
if [[ -n $early ]]; then
    echo "| a test file that kills all 65 mutants in its first lines | reads no more than it must | | $early bytes read in 65 passes of a $(stat -c %s "$work/early.txt")-byte file |"
fi
echo
echo "Also measured: CPU time on a 5,000-line \`long\` file (lines of 1,000 to 6,000 bytes), vorlak ÷ read floor: $(ratio "$longvorlak" "$longfloor") ($longvorlak s ÷ $longfloor s)."
if [[ -n $report ]]; then
    for run in report matrix minimize; do
        succeeded "vorlak-report ($run)" "$work/survive.$run"
    done
    reportcpu=$(field 1 <"$work/survive.report" | median)
    matrixcpu=$(field 1 <"$work/survive.matrix" | median)
    minimizecpu=$(field 1 <"$work/survive.minimize" | median)
    reportrss=$( { field 2 <"$work/survive.report"; field 2 <"$work/survive.matrix"; field 2 <"$work/survive.minimize"; } | maximum)
    echo "vorlak-report on the same survive file, reach and infection included, CPU time ÷ vorlak's (must ≤ 0.2, aim ≤ 0.05): $(ratio "$reportcpu" "$vorlakcpu") ($reportcpu s), with --matrix $(ratio "$matrixcpu" "$vorlakcpu") ($matrixcpu s), with --minimize $(ratio "$minimizecpu" "$vorlakcpu") ($minimizecpu s); peak $(mib "$reportrss")."
    # The survive file with the reference's result stated on every line,
    # graded by it, against the same lines without it.
    "$generate" survive "$lines" 1 --expected >"$work/stated.txt"
    LC_ALL=C sed 's/ [-0-9]*$//' "$work/stated.txt" >"$work/unstated.txt"
    : >"$work/stated.cost"; : >"$work/unstated.cost"
    for ((i = 0; i < runs; i++)); do
        cost /dev/null "$report" "$work/unstated.txt" >>"$work/unstated.cost"
        cost /dev/null "$report" --expected "$work/stated.txt" >>"$work/stated.cost"
    done
    succeeded "vorlak-report --expected" "$work/stated.cost"
    statedcpu=$(field 1 <"$work/stated.cost" | median)
    unstatedcpu=$(field 1 <"$work/unstated.cost" | median)
    echo "vorlak-report --expected on the survive file with each line's result stated, CPU time ÷ vorlak-report on the same lines without it (must ≤ 1.2): $(ratio "$statedcpu" "$unstatedcpu") ($statedcpu s ÷ $unstatedcpu s)."
fi
# A class: $classfiles files of 200 lines, each mixed (its kills come
# throughout it, so vorlak's passes stop late), graded by --class with -j 1
# and with the default, against a shell loop that runs vorlak -i once per
# file.  CPU time of all processes.
if [[ -n $report && $classfiles -gt 0 ]]; then
    mkdir "$work/class"
    for ((i = 0; i < classfiles; i++)); do
        "$generate" mixed 200 $((i + 1)) >"$work/class/$i.txt"
    done
    files=("$work"/class/*.txt)
    : >"$work/class.loop"; : >"$work/class.one"; : >"$work/class.default"
    for ((i = 0; i < runs; i++)); do
        cost /dev/null bash -c 'for f in "$@"; do "$0" -i "$f" || exit 1; done' "$vorlak" "${files[@]}" >>"$work/class.loop"
        cost /dev/null "$report" --class -j 1 "${files[@]}" >>"$work/class.one"
        cost /dev/null "$report" --class "${files[@]}" >>"$work/class.default"
    done
    for run in loop one default; do
        succeeded "the class case ($run)" "$work/class.$run"
    done
    loopcpu=$(field 1 <"$work/class.loop" | median)
    onecpu=$(field 1 <"$work/class.one" | median)
    defaultcpu=$(field 1 <"$work/class.default" | median)
    classrss=$( { field 2 <"$work/class.one"; field 2 <"$work/class.default"; } | maximum)
    echo "A class of $classfiles mixed files of 200 lines, CPU time ÷ a shell loop of vorlak -i ($loopcpu s): --class -j 1 (must ≤ 0.1) $(ratio "$onecpu" "$loopcpu") ($onecpu s), --class with the default -j $(nproc) $(ratio "$defaultcpu" "$loopcpu") ($defaultcpu s); peak $(mib "$classrss") per process."
fi
echo "Medians of $runs alternating runs each; $(date -u +%Y-%m-%d), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $(uname -sr), $(c++ --version | head -n 1)."
