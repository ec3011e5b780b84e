#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install puts the programs and every desktop file where the desktop looks: the entry
# and metainfo under the application's id, the result-file type with its icon in every size,
# the manual pages and the shell completion; and the installed tree passes the validators.
#   install_test.sh BUILD_DIR
set -uo pipefail
build=$1
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
usr=$root/usr

for file in bin/sifter bin/sifter-cli share/applications/com.norvane.Sifter.desktop \
            share/metainfo/com.norvane.Sifter.metainfo.xml share/mime/packages/application-x-sifter.xml \
            share/man/man1/sifter.1 share/man/man1/sifter-cli.1 \
            share/bash-completion/completions/sifter-cli share/zsh/site-functions/_sifter-cli \
            share/fish/vendor_completions.d/sifter-cli.fish; do
  [[ -f "$usr/$file" ]] || fail "$file is not installed"
done

desktop-file-validate "$usr/share/applications/com.norvane.Sifter.desktop" || fail "desktop-file-validate"
# validate-tree also checks that the metainfo's launchable is the installed entry.
appstreamcli validate-tree --no-net "$root" >"$root.log" 2>&1 || { cat "$root.log"; fail "appstreamcli validate-tree"; }
rm -f "$root.log"

# The file type names an icon, and the theme has it in each size the program icon comes in.
update-mime-database "$usr/share/mime" 2>/dev/null || fail "update-mime-database"
icon=$(sed -n 's|^application/x-sifter:||p' "$usr/share/mime/icons" 2>/dev/null)
[[ -n "$icon" ]] || fail "the installed type application/x-sifter names no icon"
for app_icon in "$usr"/share/icons/hicolor/*/apps/sifter.*; do
  size_dir=$(dirname "$(dirname "$app_icon")")
  ls "$size_dir/mimetypes/$icon".* >/dev/null 2>&1 || fail "no $icon icon in $size_dir"
done

# The installed completion registers itself when bash sources it.
bash -c "source '$usr/share/bash-completion/completions/sifter-cli' && complete -p sifter-cli" >/dev/null ||
  fail "the installed bash completion does not register sifter-cli"

((failures == 0)) && echo "the install puts every file in place"
exit $((failures > 0))
