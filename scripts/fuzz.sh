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
# Inputs longer than libFuzzer's default of 4,096 bytes where a target needs them: a
# result file needs room for several records (676 bytes each after a 2,177-byte header)
# and a long-path block.
declare -A max_len=([result_file]=65536)
options=(-max_total_time="$seconds")
if [[ -n "${max_len[$name]:-}" ]]; then
  options+=(-max_len="${max_len[$name]}")
fi
fuzz-build/fuzz/"${name}_fuzz" "${options[@]}" "fuzz-build/corpus-$name" "fuzz/corpus/$name"
