#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the bash completion of sifter-cli as bash does: COMP_WORDS and COMP_CWORD set,
# the function called, COMPREPLY read. Every value it offers for an option must be one that
# sifter-cli accepts.
#   bash_completion_test.sh COMPLETION_SCRIPT SIFTER_CLI
set -uo pipefail
script=$(realpath "$1") cli=$(realpath "$2")
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tree/alpha" "$work/tree/beta space" "$work/empty"
touch "$work/tree/r1.sifter" "$work/tree/notes.txt"
cd "$work/tree" || exit 1
# shellcheck source=/dev/null
source "$script" || exit 1

# The sorted replies, one a line, for the command line given as words (the last is completed).
offered() {
  COMP_WORDS=(sifter-cli "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _sifter_cli
  printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | LC_ALL=C sort
}

expect() {
  local want=$1; shift
  local got
  got=$(offered "$@")
  [[ "$got" == "$want" ]] || fail "sifter-cli $* offered [${got//$'\n'/, }], expected [${want//$'\n'/, }]"
}

[[ $(complete -p sifter-cli) == "complete -F _sifter_cli sifter-cli" ]] || fail "sifter-cli has no completion function"

expect $'--mode' --mo
expect $'--date-kind\n--date-part' --date-
expect $'alpha\nbeta space' ''
expect $'-\nalpha\nbeta space\nr1.sifter' --criteria ''
expect $'r1.sifter' --list r
expect $'notes.txt' -o n
expect $'alpha;beta space/' --folders 'alpha;b'
expect $'phrase' --mode = p
expect $'<=\n=\n>=' --size1 ''
expect '' --names ''
# After "--" every word is a folder, also one that starts with a dash.
expect '' -- --mo

# Each value offered for a choice is accepted by sifter-cli, which rejects others.
for option in --mode --size-unit --date-kind --date-part; do
  values=$(offered "$option" '')
  [[ -n "$values" ]] || fail "$option: nothing offered"
  for value in $values; do
    "$cli" "$option" "$value" --no-subfolders "$work/empty" >/dev/null 2>&1
    [[ $? -le 1 ]] || fail "$option $value: offered but refused by sifter-cli"
  done
  "$cli" "$option" not-a-value "$work/empty" >/dev/null 2>&1
  [[ $? -eq 2 ]] || fail "$option: sifter-cli accepts anything, so the check above proves nothing"
done
# The "=" form that bash splits into words of their own gives the same values.
[[ $(offered --mode = '') == $(offered --mode '') ]] || fail "--mode= offers other values than --mode"

((failures == 0)) && echo "bash completes sifter-cli's options and values"
exit $((failures > 0))
