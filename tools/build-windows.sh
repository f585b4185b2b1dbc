#!/usr/bin/env bash
# Builds Dalmiro for 64-bit Windows on this machine (installing what is
# missing) and packs it: a folder, Dalmiro-<version>-win64.zip and the
# installer Dalmiro-<version>-win64.msi, whose paths are the last two lines
# printed (the MSI last). Safe to run again; it reuses the build.
#
#   DALMIRO_QT_MINGW    a Qt 6 for MinGW-w64: its folder, or a .tar.xz of it to
#                       unpack into the build (default: the one in
#                       ../shared/windows beside the project)
#   DALMIRO_BUILD_DIR   the build (default build/windows)
#   DALMIRO_CMAKE_ARGS  more for the Windows build, e.g. -DBUILD_TESTING=ON
#                       to build the tests, which then run under Wine (ctest)
#
# The painter runs on this machine: it is built first with the host's Qt, and
# the Windows build embeds the pictures it paints, the Linux build's bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" windows
build=${DALMIRO_BUILD_DIR:-$root/build/windows}
mkdir -p "$build"
build=$(cd "$build" && pwd)

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
qt=$(cd "$qt" && pwd)

echo "Building the painter for this machine"
cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DDALMIRO_BENCHMARKS=OFF >/dev/null
cmake --build "$build/host" --target dalmiropainter

echo "Building for Windows"
host_cmake=/usr/lib/$(gcc -dumpmachine)/cmake
# shellcheck disable=SC2086
cmake -S "$root" -B "$build/cross" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
    -DDALMIRO_HOST_PAINTER="$build/host/resources/dalmiropainter" \
    -DDALMIRO_GTEST_SOURCE_DIR=/usr/src/googletest -DBUILD_TESTING=OFF \
    ${DALMIRO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build/cross"

version=$(sed -n 's/^DALMIRO_PACKAGE_VERSION:INTERNAL=//p' "$build/cross/CMakeCache.txt")
for made in zip msi; do
    file=$build/cross/package/Dalmiro-$version-win64.$made
    [ -f "$file" ] || { echo "no package at $file" >&2; exit 1; }
    echo "$file"
done
