#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures (once) and builds into the folder given first; further arguments go to cmake.
# The folder is kept, so rebuilds are incremental.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
if [[ ! -f "$dir/build.ninja" ]]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [[ $# -gt 0 ]]; then
  cmake "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
