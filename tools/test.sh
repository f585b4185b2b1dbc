#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test.
# DALMIRO_BUILD_DIR and DALMIRO_CMAKE_ARGS select another build, as CI does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" test
build=${DALMIRO_BUILD_DIR:-$root/build/test}
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    ${DALMIRO_CMAKE_ARGS:-} >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
