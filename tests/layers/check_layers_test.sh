#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layer check itself: a small tree with one fault of each kind must fail and name each
# fault; the same tree without them must pass.
set -euo pipefail
check=$(cd "$(dirname "$0")" && pwd)/check_layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/src/{text,fs,registry,desktop,search,stores,doc,frame,pane,cli,framework,app} "$tree/res"
printf '#include <QString>\n' > "$tree/src/text/code_page.cpp"
printf '#include "fs/path.h"\n' > "$tree/src/search/walk.cpp"
touch "$tree/src/fs/path.h" "$tree/res/resource_ids.h" "$tree/src/cli/options.h" "$tree/src/app/app.h" \
      "$tree/src/desktop/entry.h" "$tree/src/registry/store.h"
printf '#include "res/resource_ids.h"\n#include "search/walk.h"\n#include "registry/store.h"\n' > "$tree/src/stores/layout_settings.cpp"
touch "$tree/src/search/walk.h"
printf '#include "stores/layout_settings.h"\n#include "doc/document.h"\n' > "$tree/src/pane/left_view.cpp"
touch "$tree/src/stores/layout_settings.h" "$tree/src/doc/document.h"

expect() {
  local want=$1 output status=0
  output=$("$check" "$tree" 2>&1) || status=$?
  if [[ $want == pass && $status -ne 0 ]]; then echo "clean tree refused:" >&2; echo "$output" >&2; exit 1; fi
  if [[ $want == fail && $status -eq 0 ]]; then echo "faulty tree passed:"; echo "$output"; exit 1; fi
  printf '%s\n' "$output"
}
expect pass >/dev/null

printf '#include "stores/layout_settings.h"\n' >> "$tree/src/search/walk.cpp"  # engine -> stores
printf '#include "app/app.h"\n' > "$tree/src/frame/main_frame.cpp"             # frame -> app
printf '#include "cli/options.h"\n' > "$tree/src/framework/document.cpp"       # framework -> cli
printf '#include "desktop/entry.h"\n' > "$tree/src/registry/file.cpp"          # between siblings
printf '#include <QObject>\n' > "$tree/src/fs/path.h"                          # Qt in a platform header
printf '#include <QString>\n' >> "$tree/src/stores/layout_settings.cpp"        # Qt in a store
printf '#include "no/such.h"\n' >> "$tree/src/pane/left_view.cpp"              # not a header of ours
printf '#include "../fs/path.h"\n' > "$tree/src/text/size_text.cpp"            # a climbing path
mkdir "$tree/src/misc"                                                         # a folder of no rank
output=$(expect fail)
for want in 'src/search/walk.cpp:2: the search layer includes src/stores/layout_settings.h' \
            'src/frame/main_frame.cpp:1: the frame layer includes src/app/app.h' \
            'src/framework/document.cpp:1: the framework layer includes src/cli/options.h' \
            'src/registry/file.cpp:1: the registry layer includes src/desktop/entry.h' \
            'src/fs/path.h:1: a fs header exposes Qt' \
            'src/stores/layout_settings.cpp:4: the stores layer includes Qt' \
            'src/pane/left_view.cpp:3: includes "no/such.h"' \
            'src/text/size_text.cpp:1: includes "../fs/path.h", which climbs' \
            'src/misc/ is no layer' \
            '9 fault(s)'; do
  grep -q -F "$want" <<<"$output" || { echo "missing: $want"; echo "$output"; exit 1; }
done
echo "the layer check passes a clean tree and names each of nine faults"
