#!/usr/bin/env bash
# Installs the Debian packages that are missing.
# Usage: install-deps.sh [KIND...], each KIND one of build (the default),
# package, test, windows, web, webtest, ci
# (package: also what tools/package.sh needs; test: also what the tests need;
# windows: every line, with the cross build for Windows and Wine; web: the
# build and the page's, on Debian 13; webtest: also the browser that tests it;
# ci: what CI adds, the compiler cache in Debian 13)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

wanted=()
for want in "${@:-build}"; do
    while read -r kind name; do
        case "$kind" in
            build) wanted+=("$name") ;;
            web) [[ "$want" == web* ]] && wanted+=("$name") ;;
            webtest) [ "$want" = webtest ] && wanted+=("$name") ;;
            package) [ "$want" != build ] && [[ "$want" != web* ]] && [ "$want" != ci ] && wanted+=("$name") ;;
            test) { [ "$want" = test ] || [ "$want" = windows ]; } && wanted+=("$name") ;;
            windows) [ "$want" = windows ] && wanted+=("$name") ;;
            ci) [ "$want" = ci ] && wanted+=("$name") ;;
        esac
    done < <(grep -v '^#' "$here/packages.txt")
done

missing=()
for name in $(printf '%s\n' "${wanted[@]}" | sort -u); do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' || missing+=("$name")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
    echo "Missing packages: ${missing[*]}. Install them with your system's package manager." >&2
    exit 1
fi
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
