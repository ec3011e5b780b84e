#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file (C++, CMake, shell, completion) does not name its licence in its
# first lines, the line after "#!" or "#compdef" where a file must begin with one.
#   licence_lines_test.sh ROOT
set -euo pipefail
cd "$1"
line='SPDX-License-Identifier: GPL-3.0-or-later'
missing=0
while IFS= read -r -d '' file; do
  case "$file" in
    *.cpp | *.h) want="// $line" ;;
    *) want="# $line" ;;
  esac
  first=$(head -n 1 -- "$file")
  [[ $first == '#!'* || $first == '#compdef'* ]] && first=$(sed -n 2p -- "$file")
  if [[ $first != "$want" ]]; then
    echo "no licence line: $file" >&2
    missing=1
  fi
done < <(find src res tests fuzz bench cmake scripts completions .ci debian/rules \
              CMakeLists.txt sifter.sh test.sh -type f \
              \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.sh' -o -name '*.fish' \
                 -o -name 'CMakeLists.txt' -o -name '_*' -o -path '.ci/run' -o -path 'debian/rules' \) \
              -not -path 'fuzz/corpus/*' -print0)
exit "$missing"
