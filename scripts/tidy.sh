#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy on every C++ source file of
# the project (git's .cpp files), one per core, and fails if any
# of them draws a warning or does not compile.
#   scripts/tidy.sh [BUILD_DIR]
# BUILD_DIR holds the compile_commands.json of a configured build, build/dev
# by default; a file that this build does not compile (a benchmark outside
# the release build, say) is checked with the flags of its nearest neighbour.
# The files of tests/rows/ are checked as the build of its own that the
# tests make there compiles them (BUILD_DIR/tests/rows), the playground's
# with the levels that its module's build names (below).
# CLANG_TIDY names the program, clang-tidy by default.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/dev}
tidy=${CLANG_TIDY:-clang-tidy}
if [ ! -f "$build/compile_commands.json" ]; then
    echo "tidy: $build/compile_commands.json is missing; configure a build there first" \
        "(cmake --preset dev)" >&2
    exit 1
fi
command -v "$tidy" >/dev/null 2>&1 || { echo "tidy: $tidy is not installed (apt-get install clang-tidy)" >&2; exit 1; }

mapfile -t files < <(git ls-files '*.cpp')
[ ${#files[@]} -gt 0 ] || { echo "tidy: git lists no .cpp file" >&2; exit 1; }

# The playground's files are compiled only by its module's build, for
# wasm32, which names each hint level's place from engine::hintnames
# (cmake/levels.cmake); they are checked with the native flags, those names
# from that build's commands, and the module of the highest level.
module=$build/playground/module/compile_commands.json
[ -f "$module" ] || { echo "tidy: $module is missing; build the playground first" >&2; exit 1; }
playground=$(grep -o -- '-DVORLAK_HINTS_[A-Z]*=[0-9]*' "$module" | sort -u | sed 's/^/--extra-arg=/' | tr '\n' ' ')
[ -n "$playground" ] || { echo "tidy: $module names no hint level" >&2; exit 1; }
playground+="--extra-arg=-DVORLAK_PLAYGROUND_HINTS=VORLAK_HINTS_ANSWER"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# --warnings-as-errors makes each warning fail its file's run; the log keeps
# the diagnostics together file by file.
status=0
printf '%s\0' "${files[@]}" |
    xargs -0 -n 1 -P "$(nproc)" sh -c \
        'db=$1; extra=; case $3 in tests/rows/*) db=$1/tests/rows ;; playground/*) extra=$2 ;; esac
         out=$("$0" -p "$db" $extra --quiet --warnings-as-errors="*" "$3" 2>&1) || { printf "%s\n" "$out"; exit 1; }' \
        "$tidy" "$build" "$playground" >"$log" || status=$?

if [ $status -ne 0 ]; then
    grep -v ' warnings\? \(and [0-9]* errors\? \)\?generated\.$' "$log" >&2 || true
    echo "tidy: clang-tidy found problems in the files above" >&2
    exit 1
fi
echo "tidy: ${#files[@]} files checked, no warnings"
