#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The catalogues hold exactly the texts the sources mark: lupdate run over the sources into
# a copy of each .ts changes nothing (a new text, a text gone, a moved context all would).
#   translations_current_test.sh LUPDATE SOURCE-LIST TS-FILE... -- LUPDATE-OPTION...
set -euo pipefail
lupdate=$1 list=$2; shift 2
ts_files=()
while [[ $# -gt 0 && $1 != -- ]]; do ts_files+=("$1"); shift; done
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "${ts_files[@]}"; do
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  # lupdate warns about code it does not need to understand; only its result counts.
  "$lupdate" -silent "$@" "@$list" -ts "$copy" >/dev/null 2>&1
  if ! cmp -s "$ts" "$copy"; then
    echo "$ts is not up to date with the sources (build the update_translations target):" >&2
    diff -u "$ts" "$copy" | head -40 >&2 || true
    status=1
  fi
done
exit $status
