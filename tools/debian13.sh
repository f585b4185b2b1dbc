#!/usr/bin/env bash
# debian13.sh [--fresh] [--tree] [-o DIR] COMMAND [ARG...]
# Runs COMMAND as root in a Debian 13 ("trixie") minbase system, in a clone of
# this repository's commit HEAD (or $DALMIRO_DEBIAN13_COMMIT) at /dalmiro, its
# working directory; returns COMMAND's status. Needs root on a Debian host.
#
# The bare system (debootstrap --variant=minbase from the host's own Debian
# mirror) is kept in $DALMIRO_DEBIAN13_CACHE (default /var/cache/dalmiro/debian13)
# and made anew when it is missing or broken. Every run sees it through an
# overlay whose changes are thrown away afterwards, so each run starts from
# the bare system. apt's sources (main, updates, security) and proxy are the
# host's own settings, written in at each run.
#
# Inside: /proc, /sys, /dev, /dev/pts, /dev/shm and a private /tmp; the host's
# DNS settings; PATH, HOME=/root, LC_ALL=C.UTF-8, DEBIAN_FRONTEND=noninteractive
# and CCACHE_DIR=/var/cache/ccache, and nothing else from the caller's
# environment (pass variables with `env NAME=VALUE COMMAND`).
# Kept in the cache between runs, so that a second run is quicker: the
# packages apt downloads (/var/cache/apt/archives) and the compiler cache
# (/var/cache/ccache, used by a build that asks for ccache).
#
#   --fresh  makes the bare system anew and empties both caches (a cold run)
#   --tree   /dalmiro is this working tree itself, as it stands, writable,
#            instead of a clone of a commit
#   -o DIR   the host's DIR is /out inside, writable, for what COMMAND makes
#
# Runs that share the cache take turns. Each runs in its own mount and PID
# namespaces: the host never sees its mounts, and when COMMAND ends (or this
# script is stopped) every process it left, an X server say, is killed and
# every mount goes away.
# (All in braces: bash reads the whole script before it runs, so that editing
# it during a run cannot change what the run does next.)
{
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
cache=${DALMIRO_DEBIAN13_CACHE:-/var/cache/dalmiro/debian13}
suite=trixie
fail() { echo "debian13.sh: $*" >&2; exit 1; }

# What runs in the new namespaces: mounts, then COMMAND in the chroot.
if [ "${1:-}" = --inside ]; then
    run=$2 out=$3 src=$4
    shift 4
    target=$run/root
    mount -t overlay overlay -o "lowerdir=$cache/base,upperdir=$run/upper,workdir=$run/work" "$target"
    mount -t proc proc "$target/proc"
    mount -t sysfs sysfs "$target/sys"
    mount --bind /dev "$target/dev"
    mount --bind /dev/pts "$target/dev/pts"
    mount -t tmpfs -o mode=1777 shm "$target/dev/shm"
    mount -t tmpfs -o mode=1777 tmp "$target/tmp"
    mkdir -p "$target/dalmiro" "$target/out" "$target/var/cache/ccache"
    mount --bind "$src" "$target/dalmiro"
    [ -z "$out" ] || mount --bind "$out" "$target/out"
    mount --bind "$cache/apt-archives" "$target/var/cache/apt/archives"
    mount --bind "$cache/ccache" "$target/var/cache/ccache"
    cp -L /etc/resolv.conf "$target/etc/resolv.conf"
    cp "$run/sources.list" "$target/etc/apt/sources.list"
    cp "$run/proxy.conf" "$target/etc/apt/apt.conf.d/01proxy"
    # apt keeps what it downloads, for the next run.
    echo 'Binary::apt::APT::Keep-Downloaded-Packages "true";' >"$target/etc/apt/apt.conf.d/01keep"
    rm -f "$target/etc/apt/apt.conf.d/docker-clean"
    exec chroot "$target" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive CCACHE_DIR=/var/cache/ccache \
        sh -c 'cd /dalmiro && exec "$@"' sh "$@"
fi

fresh=0 out="" tree=0
while [ $# -gt 0 ]; do
    case "$1" in
        --fresh) fresh=1; shift ;;
        --tree) tree=1; shift ;;
        -o) out=$(realpath "$2"); [ -d "$out" ] || fail "no directory $2"; shift 2 ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || fail "usage: debian13.sh [--fresh] [-o DIR] COMMAND [ARG...]"
[ "$(id -u)" -eq 0 ] || fail "needs root (mounts, chroot)"
commit=$(git -C "$root_dir" rev-parse --verify "${DALMIRO_DEBIAN13_COMMIT:-HEAD}^{commit}")

# The host's Debian suites and apt proxy, with Debian 13 for the host's release.
. "$root_dir/tools/host-apt.sh"
host_apt "$suite" || fail "the host's apt sources have no main of its release"

# The cache holds no mounts: they all live in the runs' own namespaces.
findmnt -rn -o TARGET | grep -q "^$cache" && fail "something is mounted below $cache"
mkdir -p "$cache"
# One run at a time uses the cache; another waits here.
exec 9>"$cache/lock"
flock 9
if [ "$fresh" = 1 ]; then
    rm -rf "$cache/base" "$cache/base.ok" "$cache/apt-archives" "$cache/ccache"
fi
mkdir -p "$cache/apt-archives/partial" "$cache/ccache" "$cache/runs"
# A bare system is sound when its making finished and dpkg knows of no
# half-installed package in it.
if ! [ -f "$cache/base.ok" ] || ! [ -x "$cache/base/usr/bin/apt-get" ] ||
    [ -n "$(chroot "$cache/base" dpkg --audit 2>&1)" ]; then
    echo "debian13.sh: making the bare Debian 13 system in $cache/base"
    rm -rf "$cache/base" "$cache/base.ok" "$cache/base.new"
    debootstrap --variant=minbase "$suite" "$cache/base.new" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/debootstrap.log" >&2; fail "debootstrap failed"; }
    mv "$cache/base.new" "$cache/base"
    date -u >"$cache/base.ok"
fi

run=$(mktemp -d "$cache/runs/run.XXXXXX")
pid=""
cleanup() {
    local status=$?
    trap - EXIT INT TERM
    # Stopping unshare kills its child, the namespaces' first process, and so
    # every process in them; the namespaces' mounts go with the last one.
    [ -z "$pid" ] || { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
    rm -rf "$run"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
mkdir -p "$run/root" "$run/upper" "$run/work"
if [ "$tree" = 1 ]; then
    src=$root_dir
else
    src=$run/src
    git clone -q --no-checkout "$root_dir" "$src"
    git -C "$src" fetch -q "$root_dir" "$commit"
    git -C "$src" checkout -q --detach "$commit"
fi
printf 'deb %s\n' "${sources[@]}" >"$run/sources.list"
{
    [ -z "$http_proxy" ] || echo "Acquire::http::Proxy \"$http_proxy\";"
    [ -z "$https_proxy" ] || echo "Acquire::https::Proxy \"$https_proxy\";"
} >"$run/proxy.conf"
echo "debian13.sh: $(git -C "$src" log -1 --format='%h %s')$([ "$tree" = 0 ] || echo ' (working tree)') in Debian 13: $*"
export DALMIRO_DEBIAN13_CACHE=$cache
unshare --mount --pid --fork --kill-child --propagation private -- \
    "$0" --inside "$run" "$out" "$src" "$@" &
pid=$!
wait "$pid"
exit
}
