#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (sifter_VERSION_ARCH.deb) from the working tree into build-deb/
# and checks it with lintian, whose errors fail the script. Installs the packaging tools and
# the build dependencies first (scripts/install-deps.sh --deb).
#   scripts/build-deb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --deb

out=$PWD/build-deb
rm -rf "$out"
mkdir -p "$out/sifter"
# The build runs in a copy of the tracked and new files: dpkg-buildpackage writes into its
# source tree and puts the packages beside it.
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do [[ -e "$file" ]] && printf '%s\0' "$file"; done |
  xargs -0 cp --parents -t "$out/sifter"
# debhelper gives the build a home of its own; the compiler cache stays the user's.
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
(cd "$out/sifter" && dpkg-buildpackage -us -uc -b)
rm -rf "$out/sifter"

ls "$out"/*.deb
lintian --fail-on error "$out"/*.changes
