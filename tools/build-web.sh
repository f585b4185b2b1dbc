#!/usr/bin/env bash
# Builds Dalmiro as a web page (installing what is missing) and prints the
# page's folder on the last line: serve it over HTTP and open index.html (see
# the README's "Play in the browser"). Safe to run again; it reuses the build:
# the workflow preset "web" of CMakePresets.json, in build/web/wasm.
#
#   DALMIRO_QT_WASM     a Qt for WebAssembly: its folder, or a .tar.xz of it to
#                       unpack into build/web (default: the one in ../shared/web
#                       beside the project)
#   DALMIRO_HOST_PAINTER  the pictures' painter built for this machine, when
#                       one is built already (CI takes the Debian 13 test
#                       build's); otherwise it is built first, in build/web/host
#   DALMIRO_CMAKE_ARGS  more for the page's configure step
#
# The page is built on Debian 13, whose emscripten the Qt for WebAssembly was
# made with. On an older Debian the build runs in a Debian 13 system made by
# tools/debian13.sh, on this working tree as it stands; the build and the page
# stay in this tree. The painter runs on the build machine, and the page
# embeds the pictures it paints.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/web
qt=${DALMIRO_QT_WASM:-$root/../shared/web/qt6.8.2-wasm32-emscripten3.1.69.tar.xz}

. /etc/os-release
if [ "${ID:-}" = debian ] && [ "${VERSION_ID:-13}" -lt 13 ] 2>/dev/null; then
    [ -e "$qt" ] || { echo "build-web.sh: no Qt for WebAssembly at $qt (set DALMIRO_QT_WASM)" >&2; exit 1; }
    qt=$(cd "$(dirname "$qt")" && pwd)/$(basename "$qt")
    # The Qt is handed in through /out, the only folder shared with the host
    # besides the tree.
    shared=$(mktemp -d)
    trap 'rm -rf "$shared"' EXIT
    ln "$qt" "$shared/" 2>/dev/null || cp -a "$qt" "$shared/"
    echo "Building in Debian 13 (tools/debian13.sh)" >&2
    "$root/tools/debian13.sh" --tree -o "$shared" env \
        DALMIRO_QT_WASM="/out/$(basename "$qt")" \
        DALMIRO_CMAKE_ARGS="${DALMIRO_CMAKE_ARGS:-}" \
        tools/build-web.sh >&2
    echo "$build/wasm/page"
    exit
fi

"$root/tools/install-deps.sh" web >&2
. "$root/tools/preset-env.sh"
preset_env "$root"
cd "$root"
mkdir -p "$build"

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
DALMIRO_QT_WASM_DIR=$(cd "$qt" && pwd)

# Qt finds emscripten through an emsdk-style folder: $EMSDK/.emscripten names
# the emscripten root below it. (Debian's emscripten brings its system
# libraries prebuilt, in its own cache.)
export EMSDK=$build/emsdk
mkdir -p "$EMSDK"
echo "EMSCRIPTEN_ROOT = 'em'" >"$EMSDK/.emscripten"
ln -sfn /usr/share/emscripten "$EMSDK/em"

if [ -z "${DALMIRO_HOST_PAINTER:-}" ]; then
    # Not build/painter: on Debian 12 that one is the host's.
    echo "Building the painter for this machine" >&2
    cmake --preset painter -B "$build/host" >/dev/null
    cmake --build "$build/host" --target dalmiropainter >&2
    DALMIRO_HOST_PAINTER=$build/host/resources/dalmiropainter
fi
DALMIRO_HOST_PAINTER=$(realpath "$DALMIRO_HOST_PAINTER")
export DALMIRO_QT_WASM_DIR DALMIRO_HOST_PAINTER

echo "Building the page" >&2
if [ -n "${DALMIRO_CMAKE_ARGS:-}" ]; then
    # shellcheck disable=SC2086
    cmake --preset web ${DALMIRO_CMAKE_ARGS} >/dev/null
    cmake --build --preset web >&2
else
    cmake --workflow --preset web >&2
fi
[ -f "$build/wasm/page/index.html" ] || { echo "no page in $build/wasm/page" >&2; exit 1; }
echo "$build/wasm/page"
