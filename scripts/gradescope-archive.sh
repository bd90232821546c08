#!/usr/bin/env bash
# Makes the Gradescope autograder archive: setup.sh, run_autograder and
# vorlak.conf from examples/gradescope/ and the project's Debian package, all
# at the root of one zip, which a teacher uploads as the assignment's
# autograder.  Builds the package first when build/package has none.
#
#   scripts/gradescope-archive.sh [ZIP]     (default build/gradescope/vorlak-autograder.zip)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=${1:-$root/build/gradescope/vorlak-autograder.zip}
shopt -s nullglob
debs=("$root"/build/package/vorlak_*.deb)
if [ ${#debs[@]} -eq 0 ]; then
    (cd "$root" && cmake --workflow --preset package >/dev/null)
    debs=("$root"/build/package/vorlak_*.deb)
fi
[ ${#debs[@]} -eq 1 ] || { echo "gradescope-archive: build/package holds ${#debs[@]} packages, not one" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$root"/examples/gradescope/{setup.sh,run_autograder,vorlak.conf} "${debs[0]}" "$stage"/
chmod 0755 "$stage"/setup.sh "$stage"/run_autograder
mkdir -p "$(dirname "$zip")"
# Written beside its place and renamed over it: whole or not at all.
zip=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")
(cd "$stage" && python3 -m zipfile -c "$zip.tmp" setup.sh run_autograder vorlak.conf "$(basename "${debs[0]}")")
mv -f "$zip.tmp" "$zip"
echo "gradescope-archive: $zip"
