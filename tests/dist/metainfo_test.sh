#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The metainfo and the desktop entry pass their validators, the metainfo's releases are those
# of NEWS, NEWS starts at the project's version, and the metainfo names the licence and the
# home page that the programs name.
#   metainfo_test.sh SOURCE_DIR PROJECT_VERSION
set -euo pipefail
source=$1 version=$2
metainfo=$source/res/com.norvane.Sifter.metainfo.xml
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate --no-net $metainfo"
desktop-file-validate "$source/res/com.norvane.Sifter.desktop" || fail "desktop-file-validate"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
appstreamcli news-to-metainfo "$source/NEWS" "$metainfo" "$work/from-news.xml" >/dev/null
cmp -s "$metainfo" "$work/from-news.xml" ||
  fail "the metainfo's releases are not NEWS's: run scripts/update-metainfo.sh ($(diff "$metainfo" "$work/from-news.xml" | head -5))"

first=$(sed -n 's/^Version \(.*\)$/\1/p' "$source/NEWS" | head -1)
[[ "$first" == "$version" ]] || fail "NEWS starts at version '$first', the project is $version"

licence=$(sed -n 's/^#define SIFTER_LICENCE_ID "\(.*\)"$/\1/p' "$source/src/text/program_notice.h")
grep -q "<project_license>$licence</project_license>" "$metainfo" || fail "the metainfo's licence is not $licence"
home=$(sed -n 's/.*kWebSiteAddress = "\(.*\)";/\1/p' "$source/res/links.h")
grep -q "<url type=\"homepage\">$home</url>" "$metainfo" || fail "the metainfo's home page is not $home"
for image in $(sed -n 's|.*<image[^>]*>'"$home"'\(.*\)</image>.*|\1|p' "$metainfo"); do
  [[ -f "$source/docs/$image" ]] || fail "screenshot $image is not in docs/"
done

((failures == 0)) && echo "metainfo, entry and NEWS agree"
exit $((failures > 0))
