#!/usr/bin/env bash
# Makes the Gradescope autograder archive: setup.sh, run_autograder and
# vorlak.conf from examples/gradescope/ and the student's Debian package
# (vorlak, never vorlak-teacher), all at the root of one zip, which a teacher
# uploads as the assignment's autograder.  The package is always made again
# first, through its workflow, which rebuilds only what the sources changed:
# so the archive never carries a package older than the sources, and when
# that build fails no archive is made.  After scripts/install-deps.sh it
# needs no other step: the HTML viewer the package embeds is installed here
# when formats/web lacks it.
#
#   scripts/gradescope-archive.sh [ZIP]     (default build/gradescope/vorlak-autograder.zip)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=${1:-$root/build/gradescope/vorlak-autograder.zip}
fail() { echo "gradescope-archive: $*" >&2; exit 1; }

if ! npm ls --prefix "$root/formats/web" --all >/dev/null 2>&1; then
    echo "gradescope-archive: npm ci --prefix formats/web" >&2
    npm ci --prefix "$root/formats/web" --no-audit --no-fund >&2 ||
        fail "npm ci --prefix formats/web failed: run scripts/install-deps.sh first"
fi
log=$root/build/gradescope/package.log
mkdir -p "$(dirname "$log")"
(cd "$root" && cmake --workflow --preset package) >"$log" 2>&1 ||
    { tail -n 20 "$log" >&2; fail "cmake --workflow --preset package failed (all of it: $log); no archive made"; }
shopt -s nullglob
debs=("$root"/build/package/vorlak_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "build/package holds ${#debs[@]} vorlak packages, not one"

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
