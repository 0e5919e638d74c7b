#!/usr/bin/env bash
# Drives the bash completion of vantelo-cli as bash does on Tab: the commands
# and options it offers must be those that vantelo-cli --help lists, and
# profile names come from the data folder's sv.xml, quoted for the shell.
#
#   tests/package/completion-test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail

source_dir=${1:?usage: completion-test.sh SOURCE_DIR BUILD_DIR}
build=${2:?usage: completion-test.sh SOURCE_DIR BUILD_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }

cli="$build/bin/vantelo-cli"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# compopt works only inside a completion that bash started.
compopt() { :; }
# shellcheck source=/dev/null
source "$source_dir/resources/completion/vantelo-cli.bash"
complete -p vantelo-cli | grep -q -e "-F _vantelo_cli" || fail "vantelo-cli has no completion function"

# Prints what Tab offers after the given words (the last is the one being typed),
# one offer a line, sorted.
offers() {
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _vantelo_cli
  [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | sort
}
expect() {
  local want=$1
  shift
  local got
  got=$(offers "$@" | tr '\n' ' ')
  [ "$got" = "$want" ] || fail "after '$*' Tab offers '$got', not '$want'"
}
expect_among() {
  local want=$1
  shift
  offers "$@" | grep -q -x -F -e "$want" || fail "after '$*' Tab does not offer $want"
}

help=$("$cli" --help)
usages=$(sed -n '/^Commands:/,/^$/p' <<<"$help" | sed -n 's/^  \([a-z].*\)$/\1/p')
[ "$(wc -l <<<"$usages")" -ge 10 ] || fail "found only these usages in vantelo-cli --help: $usages"

# Every command and action, and every option of its usage line, is offered.
while IFS= read -r usage; do
  read -r command action _ <<<"$usage"
  expect_among "$command" ""
  words=("$command")
  if [[ $action =~ ^[a-z] ]]; then
    expect_among "$action" "$command" ""
    words+=("$action")
  fi
  for option in $(grep -o -e '--[a-z][a-z-]*' <<<"$usage" | sort -u); do
    expect_among "$option" "${words[@]}" --
  done
done <<<"$usages"
expect "--help --version " --
expect "list merge scramble unscramble " db ""
# "help" offers the commands, and a group's actions.
expect_among snapshot help ""
expect "import-dat list show " help profiles ""
expect "--show-passwords " profiles show --sh
# An option already typed in part, and the kinds of stats.
expect "--plain " db list --p
expect "googleindex googlelinks googleposition " stats --data-dir "$root" goo
# Values that are no file: nothing is offered.
expect "" snapshot --resume ""

# Profile names: from the data folder of --data-dir or VANTELO_DATA_DIR, and
# from the file that "profiles show" names.
folder="$root/data folder"
mkdir -p "$folder"
cat >"$folder/sv.xml" <<'XML'
<?xml version="1.0"?>
<profiles><activeProfile>My site</activeProfile>
<profile><name>Main</name></profile>
<profile><name>My site</name></profile>
<profile><name>Tom &amp; Jerry's</name></profile>
</profiles>
XML
expect "Main My\\ site Tom\\ \\&\\ Jerry\\'s " snapshot --data-dir "$folder" --profile ""
expect "Main My\\ site " history export --data-dir "$folder" --profile M
expect "My\\ site " fill-preview --data-dir "$folder" --profile "My\\ s"
expect "Tom\\ \\&\\ Jerry\\'s " profiles show "$folder/sv.xml" T
expect "Tom\\ \\&\\ Jerry\\'s " profiles show --data-dir "$folder" T
VANTELO_DATA_DIR="$folder" expect "Main " snapshot --profile Ma
expect "" snapshot --data-dir "$root/nowhere" --profile ""

# Files and folders where the command takes them.
touch "$root/list.txt"
expect "$root/list.txt " import-directories --skip-pr "$root/li"
expect "$folder " update --data-dir "$root/da"

echo "completion of vantelo-cli: commands, options and profile names offered"
