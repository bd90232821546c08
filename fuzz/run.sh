#!/usr/bin/env bash
# Fuzzes one target for a while: fuzz/run.sh evaluation|reader [seconds]
# Builds with the fuzz preset first.  New inputs go to a scratch corpus in
# the build directory; the seed corpus in fuzz/corpus is only read.  A crash
# or broken invariant is saved as build/fuzz/crash-* and ends the run.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
seconds=${2:-600}
case $target in
  evaluation) options=(-dict=fuzz/dates.dict -max_len=1000) ;;
  reader) options=(-dict=fuzz/dates.dict -max_len=200000) ;;
  *) echo "usage: fuzz/run.sh evaluation|reader [seconds]" >&2; exit 1 ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "fuzz_$target"
mkdir -p "build/fuzz/corpus-$target"
# One process: the machine is shared.
exec "build/fuzz/fuzz/fuzz_$target" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix=build/fuzz/ "build/fuzz/corpus-$target" "fuzz/corpus/$target"
