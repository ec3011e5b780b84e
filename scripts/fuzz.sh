#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs one of them, in two passes of SECONDS
# each: with libFuzzer's length control, then without it (-len_control=0), so that long
# inputs are tried from the start rather than after the short ones are worn out.
#   scripts/fuzz.sh NAME [SECONDS]     e.g. scripts/fuzz.sh result_file 60
# Undefined behaviour stops the run as a finding (built with -fno-sanitize-recover=undefined,
# and UBSAN_OPTIONS halts on the first report). Findings are written to fuzz-build/.
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
# and a long-path block; a registry store, mimeapps.list or uca.xml many lines.
declare -A max_len=([result_file]=65536 [registry_parser]=65536 [mime_apps_list]=16384 [uca_xml]=16384
                    [desktop_entry]=16384)
options=(-max_total_time="$seconds" -artifact_prefix="fuzz-build/$name-")
if [[ -n "${max_len[$name]:-}" ]]; then
  options+=(-max_len="${max_len[$name]}")
fi
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
fuzz-build/fuzz/"${name}_fuzz" "${options[@]}" "fuzz-build/corpus-$name" "fuzz/corpus/$name"
fuzz-build/fuzz/"${name}_fuzz" "${options[@]}" -len_control=0 "fuzz-build/corpus-$name" "fuzz/corpus/$name"
