#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" build
build="$root/build/run"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DDALMIRO_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target dalmiro
exec "$build/app/dalmiro" "$@"
