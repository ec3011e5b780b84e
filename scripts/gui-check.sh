#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs Sifter on a virtual X display the way a user would: starts it with an empty
# configuration, takes a screenshot, closes it through File > Exit (so it saves its
# layout), starts it again and takes a second screenshot of what it restored.
#   scripts/gui-check.sh [BUILD_DIR] [OUT_DIR] [-- program arguments]
# Needs: scripts/install-deps.sh --gui-check (xvfb, xauth, imagemagick, xdotool).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-gui-check}
shift $(( $# > 2 ? 2 : $# ))
[[ "${1:-}" == "--" ]] && shift
mkdir -p "$out"
program=$(realpath "$build/src/app/sifter")
out=$(realpath "$out")
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

export XDG_CONFIG_HOME=$config SIFTER_PROGRAM=$program SIFTER_OUT=$out
xvfb-run -a -s "-screen 0 1280x1024x24" bash -s -- "$@" <<'INNER'
set -euo pipefail
run() {
  local shot=$1; shift
  "$SIFTER_PROGRAM" "$@" &
  local pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name ' - Sifter$' | head -1)
  sleep 2
  import -window root "$SIFTER_OUT/$shot"
  # File > Exit from the keyboard: the program closes as it would for a user.
  xdotool windowfocus --sync "$window"
  xdotool key alt+f
  sleep 0.5
  import -window root "$SIFTER_OUT/${shot%.png}-file-menu.png"
  xdotool key x
  wait "$pid"
  echo "$shot: exit status $?"
}
run first-start.png "$@"
run second-start.png "$@"
INNER
echo "Layout kept in the store:"
cat "$config/Norvane/Sifter/HKEY_CURRENT_USER.reg"
