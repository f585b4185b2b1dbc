#!/usr/bin/env bash
# package_contents.sh DEB BUILD_DIR
# Checks the package that tools/package.sh made from BUILD_DIR: its fields,
# that its dependencies are the libraries the program links plus what it
# loads at run time and nothing for building or testing, that it carries
# every file the install rules lay down, and that lintian finds no error
# and no warning beyond the one accepted below.
set -euo pipefail
deb=$(realpath "$1") build=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }
# The package names of a relation field, without versions or alternatives.
names() { field "$1" | tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g' | sed '/^$/d' | sort -u; }

[ "$(field Package)" = dalmiro ] || fail "Package is '$(field Package)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "Architecture is '$(field Architecture)'"
dpkg-deb --fsys-tarfile "$deb" | tar -xf - -C "$work" ./usr/share/doc/dalmiro/changelog.Debian.gz
changelog_version=$(zcat "$work/usr/share/doc/dalmiro/changelog.Debian.gz" | sed -n '1s/^dalmiro (\(.*\)).*/\1/p')
[ "$(field Version)" = "$changelog_version" ] ||
    fail "Version '$(field Version)' is not the changelog's '$changelog_version'"
[[ "$(field Version)" =~ ^[0-9][0-9.]*-[0-9]+$ ]] || fail "Version '$(field Version)' has no Debian revision"

# Depends: exactly the packages of the libraries the program links, and the
# platform plugin and the face it loads.
dpkg-deb -x "$deb" "$work/tree"
program=$work/tree/usr/games/dalmiro
[ -x "$program" ] || fail "no executable /usr/games/dalmiro"
# dpkg knows a library by the path its package gives, which the merged /usr
# may hide behind a link: try each spelling.
owner() {
    local path real
    real=$(realpath "$1")
    for path in "$1" "$real" "${real#/usr}" "/usr$real"; do
        dpkg -S "$path" 2>/dev/null | cut -d: -f1 && return 0
    done
    echo "no package owns $1" >&2
    return 1
}
expected=$( {
    printf '%s\n' qt6-qpa-plugins fonts-dejavu-core
    libraries=$(ldd "$program")
    objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }' | while read -r soname; do
        owner "$(awk -v s="$soname" '$1 == s { print $3 }' <<<"$libraries")"
    done
} | sort -u)
if [ "$(names Depends)" != "$expected" ]; then
    fail "Depends differs from what the program needs:"
    diff <(names Depends) <(echo "$expected") >&2 || true
fi
[ "$(names Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)'"

# Nothing for building or testing: no -dev package, and none of the tools
# that tools/packages.txt lists besides the run-time ones.
runtime="fonts-dejavu-core qt6-qpa-plugins qt6-wayland"
for relation in Pre-Depends Depends Recommends Suggests; do
    for name in $(names "$relation"); do
        [[ "$name" == *-dev || "$name" == *-dev-tools ]] && fail "$relation names $name"
        if grep -Eq "^[a-z]+ $name\$" "$root/tools/packages.txt" && [[ " $runtime " != *" $name "* ]]; then
            fail "$relation names the build or test package $name"
        fi
    done
done

# The files: what the install rules lay down, and the Debian documents.
DESTDIR="$work/installed" cmake --install "$build" >/dev/null
(cd "$work/installed" && find . -type f ! -path "./usr/share/doc/dalmiro/*" | sort) >"$work/installed.txt"
(cd "$work/tree" && find . -type f ! -path './usr/share/doc/dalmiro/*' | sort) >"$work/packaged.txt"
if ! diff "$work/installed.txt" "$work/packaged.txt" >&2; then
    fail "the package's files differ from the install rules' files"
fi
for path in usr/games/dalmiro usr/share/applications/it.dalmiro.Dalmiro.desktop \
    usr/share/metainfo/it.dalmiro.Dalmiro.metainfo.xml usr/share/man/man6/dalmiro.6.gz \
    usr/share/icons/hicolor/48x48/apps/it.dalmiro.Dalmiro.png \
    usr/share/doc/dalmiro/copyright usr/share/doc/dalmiro/changelog.Debian.gz; do
    [ -f "$work/tree/$path" ] || fail "missing /$path"
done
grep -qx 'Exec=/usr/games/dalmiro' "$work/tree/usr/share/applications/it.dalmiro.Dalmiro.desktop" ||
    fail "the menu entry does not start /usr/games/dalmiro"
zcat "$work/tree/usr/share/man/man6/dalmiro.6.gz" | grep -q '^\.TH DALMIRO 6 ' ||
    fail "the manual page is not dalmiro(6)"
[ -z "$(cd "$work/tree" && find . -mindepth 1 -maxdepth 1 ! -name usr)" ] || fail "files outside /usr"

# lintian: no error; the one warning accepted is for a first upload to
# Debian's archive, which should close the bug that announced the package.
if ! lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" >&2; then
    fail "lintian"
fi

[ "$failures" -eq 0 ] || exit 1
echo "PASS: $(basename "$deb"), $(stat -c %s "$deb") bytes"
