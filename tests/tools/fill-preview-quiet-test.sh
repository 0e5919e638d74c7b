#!/usr/bin/env bash
# Runs vantelo-cli fill-preview as a user would, on a demo page: standard error
# carries none of the browser engine's set-up messages unless --verbose asks
# for them, and standard output the filled fields either way.
#
#   tests/tools/fill-preview-quiet-test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: fill-preview-quiet-test.sh BUILD_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cp "$build/bin/dirdata.xml" "$root/"
cat >"$root/sv.xml" <<'XML'
<?xml version="1.0"?>
<profiles><activeProfile>Quiet</activeProfile><profile><name>Quiet</name><url>http://quiet.example/</url></profile></profiles>
XML
page="file://$(realpath "$build/bin/demo/link-directory/submit.html")"
preview() {
  "$build/bin/vantelo-cli" fill-preview --data-dir "$root" --profile Quiet \
    --directory "Demo Link Directory" --late-fields 0 "$@" "$page" >"$root/out" 2>"$root/err"
}

preview || fail "fill-preview failed: $(cat "$root/err")"
grep -q -F 'URL (0) = "http://quiet.example/"' "$root/out" || fail "the URL field is not filled: $(cat "$root/out")"
if grep -q -i -e webengine -e "GL Type" -e "Init Parameters" -e "graphics backend" "$root/err"; then
  fail "the engine's set-up messages reach standard error: $(cat "$root/err")"
fi
grep -v -q -e '^vantelo-cli: ' "$root/err" && fail "a line without the program's name: $(cat "$root/err")"

preview --verbose || fail "fill-preview --verbose failed: $(cat "$root/err")"
grep -q -i -e webengine -e "Init Parameters" "$root/err" || fail "--verbose shows no engine messages: $(cat "$root/err")"
echo "fill-preview: quiet unless --verbose"
