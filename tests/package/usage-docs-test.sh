#!/usr/bin/env bash
# Checks that the README and the user guide's command-line page show every
# command of vantelo-cli, and tessaly's --check, with the syntax --help prints,
# and point to the manual pages for the full reference.
#
#   tests/package/usage-docs-test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail

source_dir=${1:?usage: usage-docs-test.sh SOURCE_DIR BUILD_DIR}
build=${2:?usage: usage-docs-test.sh SOURCE_DIR BUILD_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }

readme="$source_dir/README.md"
guide="$source_dir/resources/pages/guide-tools.html"
# The guide's text as a reader sees it: without tags and entities.
guide_text=$(sed -e 's/<[^>]*>//g' -e 's/&lt;/</g' -e 's/&gt;/>/g' -e 's/&amp;/\&/g' "$guide" | tr '\n' ' ')

usages=$(sed -n '/^Commands:/,/^$/p' <<<"$("$build/bin/vantelo-cli" --help)" | sed -n 's/^  \([a-z].*\)$/\1/p')
[ "$(wc -l <<<"$usages")" -ge 10 ] || fail "found only these usages in vantelo-cli --help: $usages"
while IFS= read -r usage; do
  grep -q -F -x -e "    vantelo-cli $usage" "$readme" || fail "README.md does not show: vantelo-cli $usage"
  grep -q -F -e "$usage" <<<"$guide_text" || fail "guide-tools.html does not show: $usage"
done <<<"$usages"

check=$("$build/bin/tessaly" --help | sed -n 's/^ *\(tessaly --check .*\)$/\1/p')
[ -n "$check" ] || fail "tessaly --help shows no --check usage"
grep -q -F -e "$check" "$readme" || fail "README.md does not show: $check"
grep -q -F -e "$check" <<<"$guide_text" || fail "guide-tools.html does not show: $check"

for page in vantelo-cli tessaly; do
  grep -q -F "man $page" "$readme" || fail "README.md does not point to man $page"
  grep -q -F "man $page" <<<"$guide_text" || fail "guide-tools.html does not point to man $page"
done
echo "README and guide show the syntax of --help"
