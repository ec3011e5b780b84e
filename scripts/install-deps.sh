#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Sifter needs to build, test and run.
# Idempotent: checks first and calls apt-get only for what is missing.
#   install-deps.sh [--gui-check] [--bench] [--deb]
# --gui-check adds what scripts/gui-check.sh drives; --bench adds the benchmarks' peers;
# --deb adds what scripts/build-deb.sh builds and checks the Debian package with.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools   # Qt6LinguistTools: lupdate and lrelease make the catalogues
  qt6-translations-l10n      # Qt's own texts (buttons, file dialogs) in the user's language
  libhyperscan-dev           # the content test's one pass over all the words
  libglib2.0-dev             # gio: the applications for a type, as the desktop lists them
  libre2-dev                 # regular expressions of names and words, matched in linear time
  libjemalloc-dev            # the programs' allocator: frees on another thread take no shared lock
  libgtest-dev libgmock-dev
  fonts-dejavu-core          # headless widget tests need a real font
  shared-mime-info tzdata locales   # type names, time-zone and locale tests
  clang libclang-rt-14-dev   # libFuzzer targets
  ccache lld                 # a cached compile and a fast link: most of a build's time
  dbus-daemon                # the file-manager tests start a private session bus
  libglib2.0-bin             # gio: the file-type registration tests
  desktop-file-utils         # the desktop databases and the validation of our entries
  appstream                  # appstreamcli: the metainfo's validation and its releases from NEWS
  groff-base                 # the manual pages rendered, warnings counted
)
for flag in "$@"; do
  case "$flag" in
    --gui-check) packages+=(xvfb xauth imagemagick xdotool) ;;
    --bench) packages+=(ripgrep fd-find libpcre2-dev) ;;   # search_bench's peers; criteria_bench's PCRE2
    --deb) packages+=(build-essential debhelper dpkg-dev fakeroot lintian) ;;
    *) echo "usage: install-deps.sh [--gui-check] [--bench] [--deb]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
