#!/usr/bin/env bash
# Makes the .deb in the build folder (cpack builds whatever is missing) and
# checks it as a distribution would: the menu entry, the AppStream data, the
# polkit action, lintian (no errors), the file list, the control fields, the
# manual page and the bash completion.
# Usage: scripts/check-package.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

APP_ID=io.github.tovik.Viewer
PACKAGE=tovik-viewer
HELPER=/usr/libexec/tovik/tovik-format-helper

failures=0
fail() {
  echo "check-package: $*" >&2
  failures=$((failures + 1))
}

cd "$BUILD_DIR"
rm -f "$PACKAGE"_*.deb
cpack -G DEB
debs=("$PACKAGE"_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "check-package: cpack made no single $PACKAGE .deb" >&2
  exit 1
fi
DEB="$BUILD_DIR/${debs[0]}"
echo "== $DEB"

TREE="$(mktemp -d)"
trap 'rm -rf "$TREE"' EXIT
dpkg-deb -x "$DEB" "$TREE"

echo "== file list"
expected=(
  ./usr/bin/tovik
  ./usr/bin/tovik-viewer
  ".$HELPER"
  ./usr/share/applications/$APP_ID.desktop
  ./usr/share/metainfo/$APP_ID.metainfo.xml
  ./usr/share/polkit-1/actions/$APP_ID.format.policy
  ./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg
  ./usr/share/man/man1/tovik.1.gz
  ./usr/share/man/man1/tovik-viewer.1.gz
  ./usr/share/bash-completion/completions/tovik
  ./usr/share/doc/$PACKAGE/copyright
  ./usr/share/doc/$PACKAGE/changelog.Debian.gz
)
for size in 16 22 24 32 48 64 128 256 512; do
  expected+=(./usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png)
done
listing="$(dpkg-deb -c "$DEB" | awk '{print $6}')"
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$listing" || fail "missing from the package: $path"
done
for size in 16 22 24 32 48 64 128 256 512; do
  png="$TREE/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
  [ -f "$png" ] && { file "$png" | grep -q ", $size x $size," || fail "$png is not ${size}x${size}"; }
done
for program in usr/bin/tovik usr/bin/tovik-viewer "${HELPER#/}"; do
  [ -x "$TREE/$program" ] || fail "/$program is not executable"
done
# What runs as root stays small: no Qt in the format helper.
if readelf -d "$TREE$HELPER" | grep -q 'NEEDED.*libQt'; then
  fail "$HELPER links Qt"
fi

echo "== control fields"
dpkg-deb -f "$DEB" Package Version Architecture Depends Recommends
depends="$(dpkg-deb -f "$DEB" Depends)"
for library in libqt6core6 libqt6widgets6 libqt6webenginewidgets6 libmpv2 libc6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library (shlibdeps)"
done
version="$(dpkg-deb -f "$DEB" Version)"
changelog_version="$(zcat "$TREE/usr/share/doc/$PACKAGE/changelog.Debian.gz" | dpkg-parsechangelog -l - -S Version)"
[ "$changelog_version" = "$version" ] || fail "changelog.Debian names $changelog_version, the package is $version"
release="$(xmllint --xpath 'string(/component/releases/release[1]/@version)' \
  "$TREE/usr/share/metainfo/$APP_ID.metainfo.xml")"
[ "$release" = "${version%-*}" ] || fail "the AppStream data's newest release is $release, the package is ${version%-*}"

echo "== desktop-file-validate"
desktop-file-validate "$TREE/usr/share/applications/$APP_ID.desktop" || fail "desktop-file-validate"

echo "== appstreamcli validate"
appstreamcli validate --no-net "$TREE/usr/share/metainfo/$APP_ID.metainfo.xml" || fail "appstreamcli validate"

echo "== polkit action"
policy="$TREE/usr/share/polkit-1/actions/$APP_ID.format.policy"
xmllint --noout --dtdvalid /usr/share/polkit-1/policyconfig-1.dtd "$policy" || fail "polkit policy is not valid"
exec_path="$(xmllint --xpath 'string(//annotate[@key="org.freedesktop.policykit.exec.path"])' "$policy")"
[ "$exec_path" = "$HELPER" ] || fail "polkit action runs $exec_path, the helper is $HELPER"

echo "== lintian"
lintian --fail-on error "$DEB" || fail "lintian reports errors"

echo "== manual page and completion"
commands="$("$TREE/usr/bin/tovik" --help | awk '/^commands:/ {on = 1; next} on && NF >= 2 && /^  / {print $1}')"
[ -n "$commands" ] || fail "tovik --help lists no commands"
warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$TREE/usr/share/man/man1/tovik.1.gz" 2>&1 >/dev/null)"
[ -z "$warnings" ] || fail "man tovik warns: $warnings"
page="$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$TREE/usr/share/man/man1/tovik.1.gz" 2>/dev/null)"
completion="$TREE/usr/share/bash-completion/completions/tovik"
for command in $commands; do
  grep -qE "^ +$command( |$)" <<<"$page" || fail "the manual page does not describe tovik $command"
  grep -qE "commands=\".*\\b$command\\b" "$completion" || fail "the completion does not offer tovik $command"
done
bash -c 'source "$1" && complete -p tovik' _ "$completion" || fail "the bash completion does not load"

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures check(s) failed" >&2
  exit 1
fi
echo "check-package: $DEB passed"
