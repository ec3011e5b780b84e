#!/usr/bin/env bash
# Builds Sifter (installing what is missing) and runs every test.
#   ./test.sh              the normal build in build/
#   ./test.sh --sanitize   an ASan+UBSan build in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

dir=build
options=()
if [[ "${1:-}" == "--sanitize" ]]; then
  dir=build-sanitize
  options+=(-DSIFTER_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
scripts/build.sh "$dir" "${options[@]}"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 300
