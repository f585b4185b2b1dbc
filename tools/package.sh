#!/usr/bin/env bash
# tools/package.sh [PRESET]
# Builds the program for release and makes its Debian package; prints the
# package's path on the last line. Safe to run again: it reuses build/package.
# The workflow preset "package" of CMakePresets.json (CI: "werror-package",
# the package of the build its suite tested, in build/werror), with Debian's
# hardening and optimisation flags, as a package built by Debian would have.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" package
. "$root/tools/preset-env.sh"
preset_env "$root"
preset=${1:-package}
build=$root/build/package
[ "$preset" != werror-package ] || build=$root/build/werror

rm -rf "$build/package"
(cd "$root" && cmake --workflow --preset "$preset" >&2)
debs=("$build"/package/dalmiro_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "cpack made no single package" >&2
    exit 1
fi
echo "${debs[0]}"
