#!/usr/bin/env bash
# Makes the Debian package of the build into a temporary folder and checks it:
# its control fields (dependencies found by dpkg-shlibdeps, php-cli only
# suggested), its files and their modes, and, unpacked, that the programs run,
# use the per-user data folder with the shipped database whose demo directories
# point at /usr/share/vantelo, and that the completion finds profiles there.
#
#   tests/package/package-test.sh BUILD_DIR [CPACK]
set -euo pipefail

build=${1:?usage: package-test.sh BUILD_DIR [CPACK]}
cpack=${2:-cpack}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

version=$("$build/bin/vantelo-cli" --version)
version=${version#vantelo-cli }
architecture=$(dpkg --print-architecture)

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/out/vantelo_${version}_$architecture.deb"
[ -f "$deb" ] || fail "no $deb; made: $(ls "$work/out")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = vantelo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$architecture" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = web ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[ "$(field Suggests)" = php-cli ] || fail "Suggests: $(field Suggests)"
depends=$(field Depends)
# The libraries the programs link, with versions: dpkg-shlibdeps ran.
for library in libqt6webenginecore6 libqt6widgets6 libcurl4 libpugixml1v5 libxlsxwriter4 libc6; do
  [[ ", $depends," =~ ,\ $library\ \(\>=\ [0-9] ]] || fail "Depends lacks a versioned $library: $depends"
done
[[ "$depends" != *php* ]] || fail "php is a dependency, not a suggestion: $depends"
[ "$(field Description | wc -l)" -ge 4 ] || fail "no long description: $(field Description)"

# Every file lies under /usr, owned by root, with the modes Debian wants.
listing=$(dpkg-deb --contents "$deb")
bad_modes=$(awk '$2 != "root/root" ||
  ($1 ~ /^d/ && $1 != "drwxr-xr-x") ||
  ($1 ~ /^-/ && $6 ~ /^\.\/usr\/bin\// && $1 != "-rwxr-xr-x") ||
  ($1 ~ /^-/ && $6 !~ /^\.\/usr\/bin\// && $1 != "-rw-r--r--") ||
  $6 !~ /^\.\/usr\//' <<<"$listing")
[ -z "$bad_modes" ] || fail "files with unexpected owners, modes or places: $bad_modes"
paths=$(awk '{print substr($6, 2)}' <<<"$listing")
for path in /usr/bin/vantelo /usr/bin/tessaly /usr/bin/vantelo-cli \
    /usr/share/vantelo/dirdata.xml /usr/share/vantelo/submission.xsl /usr/share/vantelo/data/wait.gif \
    /usr/share/vantelo/demo/index.html /usr/share/vantelo/reciprocal/interact.php \
    /usr/share/applications/io.github.vantelo.Vantelo.desktop \
    /usr/share/metainfo/io.github.vantelo.Vantelo.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/vantelo.svg \
    /usr/share/man/man1/vantelo.1.gz /usr/share/man/man1/tessaly.1.gz /usr/share/man/man1/vantelo-cli.1.gz \
    /usr/share/bash-completion/completions/vantelo-cli \
    /usr/share/doc/vantelo/copyright /usr/share/doc/vantelo/changelog.gz /usr/share/doc/vantelo/README.md; do
  grep -q -x -F "$path" <<<"$paths" || fail "the package lacks $path"
done
[ "$(grep -c '^/usr/bin/.' <<<"$paths")" = 3 ] || fail "not three programs in /usr/bin: $(grep '^/usr/bin/' <<<"$paths")"

dpkg-deb --control "$deb" "$work/control"
[ -s "$work/control/md5sums" ] || fail "the package has no md5sums"

root="$work/root"
dpkg-deb --extract "$deb" "$root"
for program in vantelo vantelo-cli tessaly; do
  readelf -S "$root/usr/bin/$program" | grep -q '\.debug_info' && fail "$program is not stripped"
  [ "$("$root/usr/bin/$program" --version)" = "$program $version" ] || fail "$program --version"
done
"$root/usr/bin/tessaly" --check --help >/dev/null || fail "tessaly --check --help failed"
head -1 "$root/usr/share/doc/vantelo/copyright" \
  | grep -q -x -F "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
  || fail "the copyright file is not in the machine-readable format"
zcat "$root/usr/share/doc/vantelo/changelog.gz" | head -1 | grep -q -F "vantelo ($version) " \
  || fail "the change log does not start with version $version"

# Run from the unpacked tree the programs behave as installed ones: the
# per-user data folder, filled with the shipped database, whose demo
# directories point at the demo site where the package puts it.
export HOME="$work/home"
unset XDG_DATA_HOME VANTELO_DATA_DIR
mkdir -p "$HOME"
folder=$("$root/usr/bin/vantelo-cli" data-folder)
[ "$folder" = "$HOME/.local/share/vantelo" ] || fail "data folder is '$folder'"
listing=$("$root/usr/bin/vantelo-cli" db list --json "$folder/dirdata.xml")
grep -q '"submiturl": "file:///usr/share/vantelo/demo/link-directory/submit.html"' <<<"$listing" \
  || fail "the demo directories do not point at /usr/share/vantelo/demo: $listing"

# The installed completion finds the profiles of the per-user folder.
cat >"$folder/sv.xml" <<'XML'
<?xml version="1.0"?>
<profiles><activeProfile/><profile><name>Packaged</name></profile></profiles>
XML
compopt() { :; }
# shellcheck source=/dev/null
source "$root/usr/share/bash-completion/completions/vantelo-cli"
COMP_WORDS=("$root/usr/bin/vantelo-cli" snapshot --profile "")
COMP_CWORD=3
_vantelo_cli
[ "${COMPREPLY[*]-}" = Packaged ] || fail "the completion offers '${COMPREPLY[*]-}' as profiles"

echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, Depends: $depends"
