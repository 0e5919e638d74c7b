#!/usr/bin/env bash
# Checks the built manual pages: each program has one, compressed without a
# name or time stamp, carrying the project's version; it renders without groff
# warnings; and it names every command and option that the program's --help
# lists, so that a new option cannot ship undocumented.
#
#   tests/package/man-pages-test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: man-pages-test.sh BUILD_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }

version=$("$build/bin/vantelo-cli" --version)
version=${version#vantelo-cli }

programs=(tessaly vantelo-cli)
[ -x "$build/bin/vantelo" ] && programs+=(vantelo)

for program in "${programs[@]}"; do
  page="$build/man/$program.1.gz"
  [ -f "$page" ] || fail "no manual page $page (is scdoc installed?)"

  # Byte 3 holds the flags (a stored name sets one), bytes 4 to 7 the time stamp.
  header=$(od -An -tx1 -N8 "$page" | tr -d ' \n')
  [ "${header:6:10}" = 0000000000 ] || fail "$page keeps a file name or time stamp (gzip header $header)"

  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot show $page"
  [ -z "$warnings" ] || fail "$page: $warnings"

  # Wide and without hyphenation, so that no name is broken across lines.
  text=$(MANWIDTH=1000 man --nh --nj -l "$page" 2>/dev/null)
  grep -q "^NAME" <<<"$text" || fail "$page has no NAME section: $text"
  grep -q "Vantelo $version" <<<"$text" || fail "$page does not carry version $version"
  for section in SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS"; do
    grep -q "^$section" <<<"$text" || fail "$page has no $section section"
  done

  help=$("$build/bin/$program" --help)
  for option in $(grep -o -e '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -q -F -e "$option" <<<"$text" || fail "$program.1 does not mention $option, which --help lists"
  done
done

# Every command of vantelo-cli, with its action ("db list", "update"): the words
# of each usage line up to its first argument.
help=$("$build/bin/vantelo-cli" --help)
text=$(MANWIDTH=1000 man --nh --nj -l "$build/man/vantelo-cli.1.gz" 2>/dev/null)
commands=$(sed -n '/^Commands:/,/^$/p' <<<"$help" | sed -n 's/^  \([a-z][a-z-]*\( [a-z][a-z-]*\)\?\)\( .*\)\?$/\1/p')
[ "$(wc -l <<<"$commands")" -ge 10 ] || fail "found only these commands in vantelo-cli --help: $commands"
while IFS= read -r command; do
  grep -q -F -e "$command" <<<"$text" || fail "vantelo-cli.1 does not describe \"$command\""
done <<<"$commands"
for code in 0 1 2; do
  sed -n '/^EXIT STATUS/,/^[A-Z]/p' <<<"$text" | grep -q "^ *$code\$" || fail "vantelo-cli.1 does not explain exit status $code"
done
for variable in VANTELO_DATA_DIR XDG_DATA_HOME; do
  grep -q "$variable" <<<"$text" || fail "vantelo-cli.1 does not name $variable"
done
for file in dirdata.xml customdirdata.xml sv.xml data/settings.xml submission.xsl; do
  sed -n '/^FILES/,/^ENVIRONMENT/p' <<<"$text" | grep -q -F "$file" || fail "vantelo-cli.1 does not list $file in FILES"
done

echo "manual pages of ${programs[*]}: complete and clean"
