#!/usr/bin/env bash
# tools/build-windows.sh [PRESET]
# Builds Dalmiro for 64-bit Windows on this machine (installing what is
# missing) and packs it: a folder, Dalmiro-<version>-win64.zip and the
# installer Dalmiro-<version>-win64.msi, whose paths are the last two lines
# printed (the MSI last). Safe to run again; it reuses the build.
#
# PRESET is a workflow preset of CMakePresets.json: "windows" (the default:
# the program and its packages, in build/windows/cross), "windows-tests" (the
# same with warnings as errors and the tests, run under Wine), or
# "windows-again" (what ships, in build/windows-again/cross).
#
#   DALMIRO_QT_MINGW    a Qt 6 for MinGW-w64: its folder, or a .tar.xz of it to
#                       unpack into build/windows (default: the one in
#                       ../shared/windows beside the project)
#   DALMIRO_HOST_PAINTER  the pictures' painter built for this machine, when
#                       one is built already (CI takes the Linux build's);
#                       otherwise it is built first, in build/painter
#   DALMIRO_CMAKE_ARGS  more for the Windows build's configure step, e.g.
#                       -DBUILD_TESTING=ON (the preset's build, no tests run)
#
# The painter runs on this machine, so the Windows program embeds the very
# pictures, byte for byte, that the Linux build carries.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-windows}
"$root/tools/install-deps.sh" windows
. "$root/tools/preset-env.sh"
preset_env "$root"
cd "$root"
build=$root/build/windows
mkdir -p "$build"

qt=${DALMIRO_QT_MINGW:-$root/../shared/windows/qt6.4.2-mingw-w64-x86_64.tar.xz}
if [ -f "$qt" ]; then
    # Unpacked once; again only when the tarball changes.
    tarball=$(cd "$(dirname "$qt")" && pwd)/$(basename "$qt")
    stamp="$tarball $(stat -c '%s %Y' "$tarball")"
    if [ "$(cat "$build/qt6-mingw.from" 2>/dev/null)" != "$stamp" ]; then
        echo "Unpacking $tarball"
        rm -rf "$build/qt6-mingw" "$build/qt6-mingw.from"
        tar -xJf "$tarball" -C "$build"
        echo "$stamp" >"$build/qt6-mingw.from"
    fi
    qt=$build/qt6-mingw
fi
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "No Qt for MinGW at $qt: set DALMIRO_QT_MINGW (see README, \"Windows\")." >&2
    exit 1
fi
DALMIRO_QT_MINGW_DIR=$(cd "$qt" && pwd)

if [ -z "${DALMIRO_HOST_PAINTER:-}" ]; then
    echo "Building the painter for this machine"
    cmake --workflow --preset painter >/dev/null
    DALMIRO_HOST_PAINTER=$root/build/painter/resources/dalmiropainter
fi
DALMIRO_HOST_PAINTER=$(realpath "$DALMIRO_HOST_PAINTER")
export DALMIRO_QT_MINGW_DIR DALMIRO_HOST_PAINTER

echo "Building for Windows: $preset"
if [ -n "${DALMIRO_CMAKE_ARGS:-}" ]; then
    # shellcheck disable=SC2086
    cmake --preset "$preset" ${DALMIRO_CMAKE_ARGS} >/dev/null
    cmake --build --preset "$preset"
else
    cmake --workflow --preset "$preset"
fi

cross=$root/build/windows/cross
[ "$preset" != windows-again ] || cross=$root/build/windows-again/cross
version=$(sed -n 's/^DALMIRO_PACKAGE_VERSION:INTERNAL=//p' "$cross/CMakeCache.txt")
for made in zip msi; do
    file=$cross/package/Dalmiro-$version-win64.$made
    [ -f "$file" ] || { echo "no package at $file" >&2; exit 1; }
    echo "$file"
done
