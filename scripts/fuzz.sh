#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them.
#   scripts/fuzz.sh NAME [SECONDS]     e.g. scripts/fuzz.sh result_file 60
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1; seconds=${2:-60}
if [[ ! -f fuzz-build/build.ninja ]]; then
  CC=clang CXX=clang++ cmake -S . -B fuzz-build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSIFTER_FUZZ=ON -DSIFTER_BUILD_TESTS=OFF
fi
cmake --build fuzz-build --target "${name}_fuzz"
mkdir -p "fuzz-build/corpus-$name"
fuzz-build/fuzz/"${name}_fuzz" -max_total_time="$seconds" "fuzz-build/corpus-$name" "fuzz/corpus/$name"
