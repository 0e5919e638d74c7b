#!/usr/bin/env bash
# Runs the programs as a user would with wrong and with help options: an
# option none of them knows exits with 2 and one "program: ..." line pointing
# to --help, and every --help exits with 0, explaining the exit codes.
#
#   tests/tools/program-options-test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: program-options-test.sh BUILD_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# expect CODE MESSAGE PROGRAM ARGUMENTS...: the exit code, and a part of stderr.
expect() {
  local code=$1 message=$2 program=$3
  shift 3
  local got=0
  timeout 60 "$build/bin/$program" "$@" >"$root/out" 2>"$root/err" </dev/null || got=$?
  [ "$got" = "$code" ] || fail "$program $* exits with $got, not $code: $(cat "$root/err")"
  [ -z "$message" ] || grep -q -F -e "$message" "$root/err" || fail "$program $* does not say '$message': $(cat "$root/err")"
  if [ "$code" = 2 ]; then
    [ ! -s "$root/out" ] || fail "$program $* prints on stdout: $(cat "$root/out")"
    grep -q -F -e "Try '$program" "$root/err" || fail "$program $* does not point to --help"
  fi
}

programs=(tessaly vantelo-cli)
[ -x "$build/bin/vantelo" ] && programs+=(vantelo)
for program in "${programs[@]}"; do
  expect 2 "$program: unknown option --bogus" "$program" --bogus
  expect 0 "" "$program" --help
  grep -q -e "^Exit status" -e "^ *2 .*usage" "$root/out" || fail "$program --help does not explain the exit codes"
done
# The toolkit's options are Qt's; others of one dash, and stray words, are
# errors (in a build with windows: vantelo is there).
if [ -x "$build/bin/vantelo" ]; then
  expect 2 "vantelo: unknown option -bogus" vantelo -bogus
  expect 2 "vantelo: unexpected argument stray.xml" vantelo stray.xml
  expect 2 "tessaly: unknown option -bogus" tessaly -bogus
  expect 2 "tessaly: one file at a time: b.xml" tessaly a.xml b.xml
fi
expect 2 "tessaly: --check needs a value" tessaly --check
expect 0 "" tessaly --check --help
expect 2 "vantelo-cli: unknown option --bogus" vantelo-cli db list --bogus FILE
expect 0 "" vantelo-cli db list --help
grep -q "^Usage: vantelo-cli db list" "$root/out" || fail "db list --help prints no usage"
echo "${programs[*]}: unknown options refused, help given"
