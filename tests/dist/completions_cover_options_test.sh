#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash, zsh and fish completions of sifter-cli offer exactly the long options that
# sifter-cli --help lists, so that none of them drifts from the program; and each file is
# valid in its shell where that shell is installed.
#   completions_cover_options_test.sh COMPLETIONS_DIR SIFTER_CLI
set -uo pipefail
dir=$1 cli=$2
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

help_options=$("$cli" --help | grep -o -- '--[a-z0-9-]*' | LC_ALL=C sort -u)
[[ -n "$help_options" ]] || fail "sifter-cli --help lists no long option"

# The long options each file offers, by the file's own syntax.
bash_options=$(sed -n "/^_sifter_cli_options='/,/'$/p" "$dir/sifter-cli.bash" | grep -o -- '--[a-z0-9-]*')
zsh_options=$(grep -o -- "[{'),]--[a-z0-9-]*[=[+}]" "$dir/_sifter-cli" | grep -o -- '--[a-z0-9-]*')
fish_options=$(grep -o -- ' -l [a-z0-9-]*' "$dir/sifter-cli.fish" | sed 's/ -l /--/')
for shell in bash zsh fish; do
  var=${shell}_options
  offered=$(LC_ALL=C sort -u <<<"${!var}")
  [[ "$offered" == "$help_options" ]] ||
    fail "the $shell completion differs from --help: $(diff <(echo "$help_options") <(echo "$offered") | grep '^[<>]' | tr '\n' ' ')"
done

bash -n "$dir/sifter-cli.bash" || fail "bash -n sifter-cli.bash"
if command -v zsh >/dev/null; then zsh -n "$dir/_sifter-cli" || fail "zsh -n _sifter-cli"; fi
if command -v fish >/dev/null; then fish -n "$dir/sifter-cli.fish" || fail "fish -n sifter-cli.fish"; fi

((failures == 0)) && echo "every completion offers every option of sifter-cli --help"
exit $((failures > 0))
