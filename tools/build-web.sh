#!/usr/bin/env bash
# Builds Dalmiro as a web page (installing what is missing) and prints the
# page's folder on the last line: serve it over HTTP and open index.html (see
# the README's "Play in the browser"). Safe to run again; it reuses the build.
#
#   DALMIRO_QT_WASM     a Qt for WebAssembly: its folder, or a .tar.xz of it to
#                       unpack into the build (default: the one in ../shared/web
#                       beside the project)
#   DALMIRO_BUILD_DIR   the build (default build/web)
#   DALMIRO_CMAKE_ARGS  more for the page's build
#
# The page is built on Debian 13, whose emscripten the Qt for WebAssembly was
# made with. On an older Debian the build runs in a Debian 13 system made by
# tools/debian13.sh, on this working tree as it stands; the build and the page
# stay in this tree. The painter runs on the build machine: it is built first
# with that machine's Qt, and the page embeds the pictures it paints.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DALMIRO_BUILD_DIR:-$root/build/web}
qt=${DALMIRO_QT_WASM:-$root/../shared/web/qt6.8.2-wasm32-emscripten3.1.69.tar.xz}

. /etc/os-release
if [ "${ID:-}" = debian ] && [ "${VERSION_ID:-13}" -lt 13 ] 2>/dev/null; then
    mkdir -p "$build"
    build=$(cd "$build" && pwd)
    case "$build/" in "$root"/*) ;; *) echo "build-web.sh: on Debian ${VERSION_ID}, DALMIRO_BUILD_DIR must be inside $root" >&2; exit 1 ;; esac
    [ -e "$qt" ] || { echo "build-web.sh: no Qt for WebAssembly at $qt (set DALMIRO_QT_WASM)" >&2; exit 1; }
    qt=$(cd "$(dirname "$qt")" && pwd)/$(basename "$qt")
    # The Qt is handed in through /out, the only folder shared with the host
    # besides the tree.
    shared=$(mktemp -d)
    trap 'rm -rf "$shared"' EXIT
    ln "$qt" "$shared/" 2>/dev/null || cp -a "$qt" "$shared/"
    echo "Building in Debian 13 (tools/debian13.sh)" >&2
    "$root/tools/debian13.sh" --tree -o "$shared" env \
        DALMIRO_BUILD_DIR="/dalmiro/${build#"$root"/}" \
        DALMIRO_QT_WASM="/out/$(basename "$qt")" \
        DALMIRO_CMAKE_ARGS="${DALMIRO_CMAKE_ARGS:-}" \
        tools/build-web.sh >&2
    echo "$build/wasm/page"
    exit
fi

"$root/tools/install-deps.sh" web >&2
mkdir -p "$build"
build=$(cd "$build" && pwd)

if [ -f "$qt" ]; then
    # Unpacked once; again only when the tarball changes.
    tarball=$(cd "$(dirname "$qt")" && pwd)/$(basename "$qt")
    stamp="$tarball $(stat -c '%s %Y' "$tarball")"
    if [ "$(cat "$build/qt6-wasm.from" 2>/dev/null)" != "$stamp" ]; then
        echo "Unpacking $tarball" >&2
        rm -rf "$build/qt6-wasm" "$build/qt6-wasm.from"
        tar -xJf "$tarball" -C "$build"
        echo "$stamp" >"$build/qt6-wasm.from"
    fi
    qt=$build/qt6-wasm
fi
[ -x "$qt/bin/qt-cmake" ] || { echo "No Qt for WebAssembly at $qt: set DALMIRO_QT_WASM." >&2; exit 1; }
qt=$(cd "$qt" && pwd)

# Qt finds emscripten through an emsdk-style folder: $EMSDK/.emscripten names
# the emscripten root below it. (Debian's emscripten brings its system
# libraries prebuilt, in its own cache.)
export EMSDK=$build/emsdk
mkdir -p "$EMSDK"
echo "EMSCRIPTEN_ROOT = 'em'" >"$EMSDK/.emscripten"
ln -sfn /usr/share/emscripten "$EMSDK/em"

echo "Building the painter for this machine" >&2
cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DDALMIRO_BENCHMARKS=OFF >/dev/null
cmake --build "$build/host" --target dalmiropainter >&2

echo "Building the page" >&2
host_cmake=/usr/lib/$(gcc -dumpmachine)/cmake
# shellcheck disable=SC2086
"$qt/bin/qt-cmake" -S "$root" -B "$build/wasm" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
    -DDALMIRO_HOST_PAINTER="$build/host/resources/dalmiropainter" \
    -DBUILD_TESTING=OFF -DDALMIRO_BENCHMARKS=OFF ${DALMIRO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build/wasm" >&2
[ -f "$build/wasm/page/index.html" ] || { echo "no page in $build/wasm/page" >&2; exit 1; }
echo "$build/wasm/page"
