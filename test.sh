#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Sifter (installing what is missing) and runs every test.
#   ./test.sh                  the normal build in build/
#   ./test.sh --sanitize       an ASan+UBSan build in build-sanitize/
#   ./test.sh --sanitize --core  the same, of the non-GUI layers only (build-sanitize-core/)
#   ./test.sh --tsan           a ThreadSanitizer build in build-tsan/
#   ./test.sh --tsan --core    the same, of the non-GUI layers only (build-tsan-core/), as CI runs it
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

dir=build
options=()
for arg in "$@"; do
  case "$arg" in
    --sanitize)
      dir+=-sanitize
      options+=(-DSIFTER_SANITIZE=ON)
      export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
      export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ;;
    --tsan)
      dir+=-tsan
      options+=(-DSIFTER_TSAN=ON)
      export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 ;;
    --core)
      dir+=-core
      options+=(-DSIFTER_BUILD_GUI=OFF) ;;
    *) echo "usage: $0 [--sanitize | --tsan] [--core]" >&2; exit 2 ;;
  esac
done
scripts/build.sh "$dir" "${options[@]}"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 300
