#!/usr/bin/env bash
# The layer check itself: a small tree with one fault of each kind must fail and name each
# fault; the same tree without them must pass.
set -euo pipefail
check=$(cd "$(dirname "$0")" && pwd)/check_layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/src/{platform,search,doc,frame,pane,cli,framework,app} "$tree/res"
echo 'target_sources(sifter_stores PRIVATE doc/result_file.cpp doc/result_file.h frame/layout_settings.cpp frame/layout_settings.h)' > "$tree/src/stores.cmake"
printf '#include <QString>\n' > "$tree/src/platform/code_page.cpp"
printf '#include "platform/path.h"\n' > "$tree/src/search/walk.cpp"
touch "$tree/src/platform/path.h" "$tree/res/resource_ids.h" "$tree/src/cli/options.h" "$tree/src/app/app.h"
printf '#include "res/resource_ids.h"\n#include "search/walk.h"\n' > "$tree/src/frame/layout_settings.cpp"
touch "$tree/src/search/walk.h"
printf '#include "frame/layout_settings.h"\n#include "doc/result_file.h"\n' > "$tree/src/pane/left_view.cpp"
touch "$tree/src/frame/layout_settings.h" "$tree/src/doc/result_file.h"

expect() {
  local want=$1 output status=0
  output=$("$check" "$tree" 2>&1) || status=$?
  if [[ $want == pass && $status -ne 0 ]]; then echo "clean tree refused:" >&2; echo "$output" >&2; exit 1; fi
  if [[ $want == fail && $status -eq 0 ]]; then echo "faulty tree passed:"; echo "$output"; exit 1; fi
  printf '%s\n' "$output"
}
expect pass >/dev/null

printf '#include "frame/layout_settings.h"\n' >> "$tree/src/search/walk.cpp"  # engine -> stores
printf '#include "app/app.h"\n' > "$tree/src/frame/main_frame.cpp"             # frame -> app
printf '#include "cli/options.h"\n' > "$tree/src/framework/document.cpp"       # framework -> cli
printf '#include <QObject>\n' > "$tree/src/platform/path.h"                    # Qt in a platform header
printf '#include <QString>\n' >> "$tree/src/doc/result_file.cpp"               # Qt in a store
printf '#include "no/such.h"\n' >> "$tree/src/pane/left_view.cpp"              # not a header of ours
output=$(expect fail)
for want in 'src/search/walk.cpp:2: the engine layer includes src/frame/layout_settings.h' \
            'src/frame/main_frame.cpp:1: the gui-frame layer includes src/app/app.h' \
            'src/framework/document.cpp:1: the framework layer includes src/cli/options.h' \
            'src/platform/path.h:1: a platform header exposes Qt' \
            'src/doc/result_file.cpp:1: the stores layer includes Qt' \
            'src/pane/left_view.cpp:3: includes "no/such.h"' \
            '6 include(s) point up'; do
  grep -q -F "$want" <<<"$output" || { echo "missing: $want"; echo "$output"; exit 1; }
done
echo "the layer check passes a clean tree and names each of six faults"
