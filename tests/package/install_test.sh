#!/usr/bin/env bash
# install_test.sh DEB SENDCLOSE [WORK_DIR]
# install_test.sh --bootstrap-only WORK_DIR
# Installs the package into a fresh minimal Debian system made with
# debootstrap (in WORK_DIR/root, default build/install-test) and checks, as
# root:
# - apt installs it with its dependencies, and nothing for building or testing;
# - `dalmiro --version` works there, with no display;
# - the menu entry's Exec line, run by a plain user under a virtual X server,
#   shows the window; a click on "Gioca Ora" runs a draw to its seven numbers
#   and a close ends the program with status 0 (tests/e2e/draw_e2e.sh);
# - `apt-get purge dalmiro` leaves none of the package's files behind.
# The system's Debian mirror and proxy are the host's own apt settings.
# --bootstrap-only makes the system alone, for a later run with the same
# WORK_DIR to take once (CI makes it while it builds the package).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root_dir=$(cd "$here/../.." && pwd)
. "$here/../../tools/processes.sh"

if [ "${1:-}" = --bootstrap-only ]; then
    deb="" sendclose="" work=$(realpath -m "$2")
else
    deb=$(realpath "$1") sendclose=$(realpath "$2")
    work=$(realpath -m "${3:-$root_dir/build/install-test}")
fi
target=$work/root
[ "$(id -u)" -eq 0 ] || { echo "install_test.sh needs root (chroot)" >&2; exit 1; }
start=$(date +%s)
step() { echo "== $(($(date +%s) - start)) s: $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
in_target() { chroot "$target" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"; }
# A plain user, with the PATH that Debian's /etc/profile gives one.
as_player() { chroot "$target" setpriv --reuid=player --regid=player --init-groups env -i \
    HOME=/home/player PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games "$@"; }

# The host's Debian suites of its release and apt proxy.
. /etc/os-release
. "$here/../../tools/host-apt.sh"
host_apt "$VERSION_CODENAME" || fail "the host's apt sources have no $VERSION_CODENAME main"

# A system made by --bootstrap-only is taken once; otherwise it is made here.
if [ -n "$deb" ] && [ -f "$work/root.ready" ]; then
    rm "$work/root.ready"
    step "the system made beforehand ($(cat "$work/bootstrap.time"))"
else
    # Nothing may be mounted below the old system before it is removed.
    if [ -e "$target" ] && findmnt -rn -o TARGET | grep -q "^$target"; then
        fail "something is mounted below $target"
    fi
    rm -rf "$target" "$work/root.ready"
    mkdir -p "$work"
    step "debootstrap --variant=minbase $VERSION_CODENAME"
    debootstrap --variant=minbase "$VERSION_CODENAME" "$target" "$mirror" >"$work/debootstrap.log" 2>&1 ||
        { tail -n 20 "$work/debootstrap.log" >&2; fail "debootstrap"; }
    printf 'deb %s\n' "${sources[@]}" >"$target/etc/apt/sources.list"
    {
        [ -z "$http_proxy" ] || echo "Acquire::http::Proxy \"$http_proxy\";"
        [ -z "$https_proxy" ] || echo "Acquire::https::Proxy \"$https_proxy\";"
    } >"$target/etc/apt/apt.conf.d/01proxy"
    in_target apt-get update -qq
    in_target useradd --create-home player
    if [ -z "$deb" ]; then
        echo "made in $(($(date +%s) - start)) s" >"$work/bootstrap.time"
        touch "$work/root.ready"
        step "ready"
        exit 0
    fi
fi

step "apt-get install ./$(basename "$deb")"
in_target dpkg-query -W -f '${Package}\n' | sort >"$work/before.txt"
cp "$deb" "$target/tmp/"
in_target apt-get install -y -qq --no-install-recommends "./tmp/$(basename "$deb")" \
    >"$work/install.log" 2>&1 || { tail -n 20 "$work/install.log" >&2; fail "apt-get install"; }
in_target dpkg-query -W -f '${Package}\n' | sort >"$work/after.txt"
comm -13 "$work/before.txt" "$work/after.txt" >"$work/added.txt"
echo "added $(wc -l <"$work/added.txt") packages; the system now takes $(du -sh "$target" | cut -f1)"
# What apt pulled in is the dependencies' closure; none of it may be for
# building or testing. (package_contents.sh checks the direct dependencies.)
runtime="fonts-dejavu-core qt6-qpa-plugins qt6-wayland"
while read -r name; do
    [[ "$name" == *-dev ]] && fail "apt installed the development package $name"
    if grep -Eq "^[a-z]+ $name\$" "$root_dir/tools/packages.txt" && [[ " $runtime " != *" $name "* ]]; then
        fail "apt installed the build or test package $name"
    fi
done <"$work/added.txt"
grep -qx dalmiro "$work/added.txt" || fail "dalmiro is not installed"

step "dalmiro --version"
version=$(as_player dalmiro --version 2>&1) || fail "dalmiro --version: $version"
echo "$version"
[[ "$version" =~ ^Dalmiro\ [0-9] ]] || fail "unexpected version line"
as_player dalmiro --help | grep -q '^Usage: dalmiro' || fail "dalmiro --help"

step "the menu entry's Exec under Xvfb: a draw, then a close"
DALMIRO_TEST_ROOT=$target "$root_dir/tests/e2e/draw_e2e.sh" "$here/launch_entry.sh" \
    "$work/shots" "$sendclose"

step "apt-get purge dalmiro"
in_target dpkg-query -L dalmiro >"$work/files.txt"
in_target apt-get purge -y -qq dalmiro >"$work/purge.log" 2>&1 ||
    { tail -n 20 "$work/purge.log" >&2; fail "apt-get purge"; }
in_target dpkg-query -W dalmiro >/dev/null 2>&1 && fail "dalmiro is still known to dpkg"
left=0
while read -r path; do
    [ -e "$target$path" ] || [ -L "$target$path" ] || continue
    # A directory stays when other packages own it too.
    if [ -d "$target$path" ] && ! [ -L "$target$path" ] && in_target dpkg-query -S "$path" >/dev/null 2>&1; then
        continue
    fi
    echo "left behind: $path" >&2
    left=$((left + 1))
done <"$work/files.txt"
[ "$left" -eq 0 ] || fail "the purge left $left paths"

# The system is made afresh by every run; the logs and shots stay.
rm -rf "$target"
step "PASS"
