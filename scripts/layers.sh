#!/usr/bin/env bash
# Fails when a C++ file of the project includes a header from a layer above
# its own, or from a folder beside it on the same layer, and names the file,
# the line and the include.  A library may use only what lies below it; the
# tests, benchmarks, fuzz targets and the playground may include anything of
# the product.  A folder that is on no layer fails too, so that a new one is
# given its place here.
#   scripts/layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# The layers from the bottom up; the folders of one line stand side by side.
layers=(
    "io"
    "dates"
    "mutants"
    "engine"
    "harness formats"
    "report"
    "bench fuzz playground"
    "tests"
)

table=""
for i in "${!layers[@]}"; do
    for folder in ${layers[$i]}; do
        table+="$folder=$i "
    done
done

mapfile -t files < <(git ls-files '*.cpp' '*.hpp' '*.h' '*.cc')
[ ${#files[@]} -gt 0 ] || { echo "layers: git lists no C++ file" >&2; exit 1; }

# An include names its folder first ("engine/scan.hpp"); one without a
# folder ("process.hpp") is found beside the file that includes it.
awk -v table="$table" '
    BEGIN {
        n = split(table, pairs, " ")
        for (i = 1; i <= n; i++) {
            split(pairs[i], kv, "=")
            rank[kv[1]] = kv[2]
        }
    }
    FNR == 1 {
        folder = FILENAME
        sub(/\/.*/, "", folder)
        if (!(folder in rank) || FILENAME !~ /\//) {
            printf "layers: %s lies in no layer (add its folder to scripts/layers.sh)\n", FILENAME
            bad++
            nextfile
        }
    }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
        name = $0
        sub(/^[^"]*"/, "", name)
        sub(/".*/, "", name)
        if (name !~ /\//)
            next
        used = name
        sub(/\/.*/, "", used)
        if (!(used in rank) || used == folder)
            next
        if (rank[used] > rank[folder]) {
            printf "layers: %s:%d includes \"%s\": %s/ lies above %s/\n", FILENAME, FNR, name, used, folder
            bad++
        } else if (rank[used] == rank[folder]) {
            printf "layers: %s:%d includes \"%s\": %s/ lies beside %s/\n", FILENAME, FNR, name, used, folder
            bad++
        }
    }
    END { exit bad > 0 }
' "${files[@]}" >&2 || { echo "layers: each file may include only from its own folder and the layers below" >&2; exit 1; }
echo "layers: ${#files[@]} files include only from their own layer and below"
