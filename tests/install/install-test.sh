#!/usr/bin/env bash
# Installs the build into a temporary prefix whose bin/ is read-only and checks
# that the installed programs keep the user's files in the per-user data folder,
# which starts with the shipped database whose demo directories point at the
# installed demo site.
#
#   tests/install/install-test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: install-test.sh BUILD_DIR}
root=$(mktemp -d)
cleanup() { chmod -R u+w "$root" 2>/dev/null || true; rm -rf "$root"; }
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [ -f "$1" ] || fail "missing $1"; }

prefix="$root/usr"
cmake --install "$build" --prefix "$prefix" > "$root/install.log" || { cat "$root/install.log"; fail "cmake --install failed"; }

programs=(tessaly vantelo-cli)
[ -x "$build/bin/vantelo" ] && programs+=(vantelo)
for program in "${programs[@]}"; do
  expect_file "$prefix/bin/$program"
done
share="$prefix/share/vantelo"
for file in dirdata.xml data/wait.gif demo/index.html demo/link-directory/submit.html reciprocal/interact.php \
    reciprocal/.htaccess reciprocal/attempts.txt; do
  expect_file "$share/$file"
done
if [ -x "$build/bin/vantelo" ]; then
  expect_file "$prefix/share/applications/io.github.vantelo.Vantelo.desktop"
  expect_file "$prefix/share/icons/hicolor/scalable/apps/vantelo.svg"
  expect_file "$prefix/share/metainfo/io.github.vantelo.Vantelo.metainfo.xml"
fi
for program in "${programs[@]}"; do
  expect_file "$prefix/share/man/man1/$program.1.gz"
done
expect_file "$prefix/share/bash-completion/completions/vantelo-cli"
expect_file "$prefix/share/doc/vantelo/README.md"
# Nothing but the programs lands in bin/.
extra=$(ls "$prefix/bin" | grep -v -x -e tessaly -e vantelo-cli -e vantelo || true)
[ -z "$extra" ] || fail "unexpected files in bin/: $extra"

chmod -R a-w "$prefix/bin"
export HOME="$root/home"
unset XDG_DATA_HOME VANTELO_DATA_DIR
mkdir -p "$HOME"

# Every program answers --help and --version without a data folder or a display.
for program in "${programs[@]}"; do
  version=$("$prefix/bin/$program" --version) || fail "$program --version failed"
  [[ "$version" == "$program "[0-9]*.[0-9]*.[0-9]* ]] || fail "$program --version printed '$version'"
  # Read whole first: grep -q leaving early would break the program's pipe.
  help=$("$prefix/bin/$program" --help) || fail "$program --help failed"
  grep -q "$program" <<<"$help" || fail "$program --help does not name the program"
done
# Help after --check explains the check instead of checking a file named "--help".
usage=$("$prefix/bin/tessaly" --check --help) || fail "tessaly --check --help failed"
grep -q -e "--pause-ms" <<<"$usage" || fail "tessaly --check --help printed '$usage'"
[ ! -e "$HOME/.local" ] || fail "--help or --version made a data folder"

folder=$("$prefix/bin/vantelo-cli" data-folder)
[ "$folder" = "$HOME/.local/share/vantelo" ] || fail "data folder is '$folder'"
cmp -s "$share/dirdata.xml" "$folder/dirdata.xml" || fail "the shipped database was not copied on first start"

# The copied database loads, and its demo directories point at the installed demo site.
listing=$("$prefix/bin/vantelo-cli" db list --json --scrambled "$folder/dirdata.xml")
demo_url="file://$share/demo/link-directory/submit.html"
grep -q "\"submiturl\": \"$demo_url\"" <<<"$listing" || fail "no demo directory at $demo_url in: $listing"
[ "$(grep -c '"name": "Demo ' <<<"$listing")" = 4 ] || fail "not four demo directories"

# A database the user has (say, an updated one) is never replaced.
echo "the user's own" > "$folder/dirdata.xml"
"$prefix/bin/vantelo-cli" data-folder > /dev/null
[ "$(cat "$folder/dirdata.xml")" = "the user's own" ] || fail "the user's dirdata.xml was replaced"

# XDG_DATA_HOME moves the per-user folder; --data-dir overrides it all.
folder=$(XDG_DATA_HOME="$root/xdg" "$prefix/bin/vantelo-cli" data-folder)
[ "$folder" = "$root/xdg/vantelo" ] || fail "with XDG_DATA_HOME the data folder is '$folder'"
expect_file "$root/xdg/vantelo/dirdata.xml"
folder=$("$prefix/bin/vantelo-cli" data-folder --data-dir "$root/mine")
[ "$folder" = "$root/mine" ] || fail "--data-dir gave '$folder'"

echo "install into $prefix: per-user data folder used and filled"
