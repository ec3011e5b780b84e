#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each manual page renders without a single groff warning, carries the project's version,
# sifter-cli(1) describes every long option that sifter-cli --help lists, and sifter(1) every
# option of sifter --help (when the window's program is built).
#   man_pages_test.sh MAN_DIR SIFTER_CLI PROJECT_VERSION [SIFTER]
set -euo pipefail
man_dir=$1 cli=$2 version=$3 gui=${4:-}
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

for page in "$man_dir"/*.1; do
  # -ww turns on every warning; groff still exits 0 with them, so its messages are the verdict.
  warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z "$page" 2>&1) || fail "groff failed on $page"
  [[ -z "$warnings" ]] || fail "groff warns on $page: $warnings"
  grep -q "^\.TH .* \"Sifter $version\"" "$page" || fail "$page is not marked Sifter $version"
done

options=$("$cli" --help | grep -o -- '--[a-z0-9-]*' | sort -u)
[[ -n "$options" ]] || fail "sifter-cli --help lists no long option"
for option in $options; do
  # The page writes each dash as \- so that it prints as a hyphen-minus.
  grep -q -- "${option//-/\\\\-}\\b" "$man_dir/sifter-cli.1" || fail "sifter-cli.1 does not describe $option"
done

if [[ -n "$gui" ]]; then
  for option in $("$gui" --help | grep -o -- '\(--[a-z]*\|/f:\)' | sort -u); do
    grep -q -- "${option//-/\\\\-}" "$man_dir/sifter.1" || fail "sifter.1 does not describe $option"
  done
fi

((failures == 0)) && echo "the manual pages render cleanly and cover every option"
exit $((failures > 0))
