#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the releases of NEWS into res/com.norvane.Sifter.metainfo.xml (appstreamcli from the
# package appstream). Run it after adding a release to NEWS and commit both: the build installs
# the metainfo as it is, and a test fails while the two disagree.
set -euo pipefail
cd "$(dirname "$0")/.."
appstreamcli news-to-metainfo NEWS res/com.norvane.Sifter.metainfo.xml
