#!/usr/bin/env bash
# Builds the program for release and makes its Debian package; prints the
# package's path on the last line. Safe to run again: it reuses build/package.
# DALMIRO_PACKAGE_DIR selects another build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" package
build=${DALMIRO_PACKAGE_DIR:-$root/build/package}

# Debian's hardening and optimisation flags, as a package built by Debian
# would have them; given on every run, so that a rerun picks up changes.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
    -DBUILD_TESTING=OFF -DDALMIRO_BENCHMARKS=OFF -DDALMIRO_DEBIAN_PACKAGE=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"

rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/package/dalmiro_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "cpack made no single package" >&2
    exit 1
fi
echo "${debs[0]}"
