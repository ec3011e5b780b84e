#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a header of a folder that is not below its own, when a
# layer that must not see Qt includes a Qt header, when an include climbs with "../", or when
# a folder of src/ is no layer. Each folder is one layer; lowest first:
#   text < fs < registry | desktop | transfer < search < res/resource_ids.h < stores
#   < cli | res < framework < doc < fileops < results < pane < frame < app
# Folders of one rank ("|") are siblings: neither may include the other. cli is a program
# beside the GUI, which nothing else includes. The ranks are the order of src/CMakeLists.txt.
#   check_layers.sh [ROOT]     ROOT is the project folder (default: this script's project)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

declare -A rank=(
  [text]=0 [fs]=1 [registry]=2 [desktop]=2 [transfer]=2 [search]=3 [ids]=4 [stores]=5
  [cli]=6 [res]=6 [framework]=7 [doc]=8 [fileops]=9 [results]=10 [pane]=11 [frame]=12 [app]=13
)
# The platform's folders may use Qt inside, never in a header; these never at all.
declare -A no_qt=([search]=1 [stores]=1 [cli]=1 [ids]=1)
declare -A platform=([text]=1 [fs]=1 [registry]=1 [desktop]=1 [transfer]=1)

# The layer of a path relative to the project: its folder below src/, or res.
layer_of() {
  case "$1" in
    res/resource_ids.h) echo ids ;;
    res/*) echo res ;;
    src/*/*) local rest=${1#src/}; echo "${rest%%/*}" ;;
    *) echo "" ;;
  esac
}

failures=0
fail() { echo "$1"; failures=$((failures + 1)); }

for folder in src/*/; do
  folder=${folder%/}
  [[ -n "${rank[${folder#src/}]+x}" ]] || fail "$folder/ is no layer: give it a rank here and in src/CMakeLists.txt"
done

while IFS= read -r -d '' file; do
  name=$(layer_of "$file")
  [[ -n "${rank[$name]+x}" ]] || continue
  while IFS= read -r line; do
    number=${line%%:*}
    header=${line#*:}
    if [[ "$header" == \<Q* ]]; then
      if [[ -n "${no_qt[$name]+x}" ]]; then fail "$file:$number: the $name layer includes Qt: $header"
      elif [[ -n "${platform[$name]+x}" && "$file" == *.h ]]; then fail "$file:$number: a $name header exposes Qt: $header"
      fi
      continue
    fi
    [[ "$header" == \"* ]] || continue
    header=${header//\"/}
    if [[ "$header" == *../* ]]; then fail "$file:$number: includes \"$header\", which climbs out of its folder"; continue; fi
    if [[ -f "src/$header" ]]; then target="src/$header"
    elif [[ -f "$header" ]]; then target=$header
    elif [[ -f "$(dirname "$file")/$header" ]]; then target="$(dirname "$file")/$header"
    else fail "$file:$number: includes \"$header\", which is no header of the project"; continue
    fi
    target_name=$(layer_of "$target")
    [[ "$target_name" == "$name" ]] && continue
    if [[ -z "${rank[$target_name]+x}" || $target_name == cli || ${rank[$target_name]} -ge ${rank[$name]} ]]; then
      fail "$file:$number: the $name layer includes $target ($target_name layer)"
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" |
           sed -E 's/^([0-9]+):[^<"]*([<"][^>"]*[>"]).*/\1:\2/' || true)
done < <(find src res -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if ((failures > 0)); then
  echo "$failures fault(s): includes that do not point down the layers, Qt where it does not belong, or folders that are no layer"
  exit 1
fi
echo "every include points down the layers"
