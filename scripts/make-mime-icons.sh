#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders res/icons/application-x-sifter.svg into the PNG sizes that cmake --install puts
# into the hicolor theme (res/icons/application-x-sifter-SIZE.png). Run it after changing
# the SVG and commit the PNGs: the build itself needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../res/icons"
for size in 16 24 32 48 64 128 256; do
  convert -background none -density 384 application-x-sifter.svg -resize "${size}x${size}" \
    -strip "PNG32:application-x-sifter-$size.png"
done
