#!/usr/bin/env bash
# tools/test.sh [PRESET]
# Builds everything (installing what is missing) and runs every test: the
# workflow preset PRESET of CMakePresets.json (default: "default", in
# build/test; CI runs "werror" and "sanitize"). Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" test
. "$root/tools/preset-env.sh"
preset_env "$root"
cd "$root"
cmake --workflow --preset "${1:-default}"
