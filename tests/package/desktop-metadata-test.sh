#!/usr/bin/env bash
# Checks what the desktop and software centres read: the AppStream file and the
# desktop entry pass their validators, agree on the id, name only programs that
# are built, and the newest release of the AppStream file and of the package's
# change log is the project's version.
#
#   tests/package/desktop-metadata-test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail

source=${1:?usage: desktop-metadata-test.sh SOURCE_DIR BUILD_DIR}
build=${2:?usage: desktop-metadata-test.sh SOURCE_DIR BUILD_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }

id=io.github.vantelo.Vantelo
metainfo="$source/resources/desktop/$id.metainfo.xml"
desktop="$source/resources/desktop/$id.desktop"
version=$("$build/bin/vantelo-cli" --version)
version=${version#vantelo-cli }

result=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $result"
result=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $result"
# Hints too: each is a menu or search quirk a user would see.
[ -z "$result" ] || fail "desktop-file-validate: $result"

grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the AppStream file does not launch $id.desktop"

# The program the entry starts and the icon it names are the ones installed.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "${exec_line%% *}" = vantelo ] || fail "the desktop entry starts '$exec_line'"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$source/resources/desktop/$icon.svg" ] || fail "the desktop entry names icon $icon, which is not shipped"
for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo"); do
  [ -x "$build/bin/$binary" ] || fail "the AppStream file provides $binary, which is not built"
done

newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1)
[ "$newest" = "<release version=\"$version\"" ] || fail "the newest AppStream release is $newest, not $version"
newest=$(head -1 "$source/packaging/changelog")
[[ "$newest" == "vantelo ($version) "* ]] || fail "the change log starts '$newest', not version $version"

echo "$id: AppStream file and desktop entry valid, release $version"
