#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Sifter (installing what is missing) and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build >&2
exec build/src/app/sifter "$@"
