#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or when a layer
# that must not see Qt includes a Qt header. Layers, lowest first:
#   platform (src/platform) < engine (src/search) < resource ids (res/resource_ids.h)
#   < stores (the files listed in src/stores.cmake) < cli (src/cli) | resources (res/)
#   < framework (src/framework) < GUI: doc < results < pane < frame < app.
# cli and the resource tables are siblings: neither may include the other, and nothing
# but cli includes cli.
#   check_layers.sh [ROOT]     ROOT is the project folder (default: this script's project)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

mapfile -t stores < <(grep -o -E '(doc|frame|pane|results)/[A-Za-z0-9_]+\.(cpp|h)' src/stores.cmake)

# Prints "rank name" of the layer a path (relative to the project) belongs to.
layer_of() {
  local path=$1 store
  for store in "${stores[@]}"; do
    [[ "$path" == "src/$store" ]] && { echo "3 stores"; return; }
  done
  case "$path" in
    src/platform/*) echo "0 platform" ;;
    src/search/*) echo "1 engine" ;;
    res/resource_ids.h) echo "2 ids" ;;
    src/cli/*) echo "4 cli" ;;
    res/*) echo "4 resources" ;;
    src/framework/*) echo "5 framework" ;;
    src/doc/*) echo "6 gui-doc" ;;
    src/results/*) echo "7 gui-results" ;;
    src/pane/*) echo "8 gui-pane" ;;
    src/frame/*) echo "9 gui-frame" ;;
    src/app/*) echo "10 gui-app" ;;
    *) echo "- unknown" ;;
  esac
}

failures=0
fail() { echo "$1"; failures=$((failures + 1)); }

while IFS= read -r -d '' file; do
  read -r rank name < <(layer_of "$file")
  [[ "$name" == unknown ]] && continue
  while IFS= read -r line; do
    number=${line%%:*}
    header=${line#*:}
    if [[ "$header" == \<Q* ]]; then
      case "$name" in
        engine | stores | cli | ids) fail "$file:$number: the $name layer includes Qt: $header" ;;
        platform) [[ "$file" == *.h ]] && fail "$file:$number: a platform header exposes Qt: $header" ;;
      esac
      continue
    fi
    [[ "$header" == \"* ]] || continue
    header=${header//\"/}
    if [[ -f "src/$header" ]]; then target="src/$header"
    elif [[ -f "$header" ]]; then target=$header
    elif [[ -f "$(dirname "$file")/$header" ]]; then target="$(dirname "$file")/$header"
    else fail "$file:$number: includes \"$header\", which is no header of the project"; continue
    fi
    read -r target_rank target_name < <(layer_of "$target")
    if [[ "$target_name" == "$name" ]]; then continue; fi
    if [[ "$target_name" == cli || "$target_name" == unknown || "$target_rank" -ge "$rank" ]]; then
      fail "$file:$number: the $name layer includes $target ($target_name layer)"
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" |
           sed -E 's/^([0-9]+):[^<"]*([<"][^>"]*[>"]).*/\1:\2/' || true)
done < <(find src res -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if ((failures > 0)); then
  echo "$failures include(s) point up the layers or reach Qt where it does not belong"
  exit 1
fi
echo "every include points down the layers"
