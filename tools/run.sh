#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it: the preset
# "default" of CMakePresets.json, in build/test, which tools/test.sh shares;
# without the tests, whose tools this command does not install.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" build
cd "$root"
cmake --preset default -DBUILD_TESTING=OFF -DDALMIRO_BENCHMARKS=OFF >/dev/null
cmake --build --preset default --target dalmiro
exec "$root/build/test/app/dalmiro" "$@"
