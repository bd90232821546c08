#!/usr/bin/env bash
# Gradescope runs this once, as root, when it builds the autograder's image:
# it installs vorlak from the Debian package that the archive carries, with
# only the packages that it depends on, then checks vorlak.conf, so that a
# wrong setting fails the build, with the line and what it allows, before
# any student submits.  VORLAK_REPORT names vorlak-report when it is not on
# the PATH (the tests' apt-get only unpacks).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
debs=("$here"/vorlak_*.deb)
[ -f "${debs[0]}" ] || { echo "setup.sh: the archive holds no vorlak package" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
${VORLAK_APT_GET:-apt-get} install -y --no-install-recommends "${debs[0]}"
if [ -e "$here/vorlak.conf" ]; then
    cd "$here"
    "${VORLAK_REPORT:-vorlak-report}" --check-settings vorlak.conf >/dev/null
fi
