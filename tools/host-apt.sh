# Sourced by tools/debian13.sh and tests/package/install_test.sh.
#
# host_apt SUITE: this machine's Debian apt sources of its own release (main
# of the release, its updates and its security) with SUITE in place of the
# release, in the array `sources` ("URI SUITE main" each); the first one's
# mirror in `mirror`; apt's proxy exported as http_proxy and https_proxy (a
# proxy in apt's settings wins over one in the environment; "DIRECT" is none).
# Fails when the sources have no main of this release.
host_apt() {
    local suite=$1 release apt_http="" apt_https=""
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mapfile -t sources < <(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
        'Identifier: Packages' | awk -v r="$release" -v s="$suite" \
        '$3 == "main" && ($2 == r || $2 == r "-updates" || $2 == r "-security") && !seen[$0]++ {
            sub("^" r, s, $2); print }')
    mirror=$(printf '%s\n' "${sources[@]}" | awk -v s="$suite" '$2 == s { print $1; exit }')
    eval "$(apt-config shell apt_http Acquire::http::Proxy apt_https Acquire::https::Proxy)"
    http_proxy=${apt_http:-${http_proxy:-}} https_proxy=${apt_https:-${https_proxy:-}}
    [ "$http_proxy" = DIRECT ] && http_proxy=""
    [ "$https_proxy" = DIRECT ] && https_proxy=""
    export http_proxy https_proxy
    [ -n "$mirror" ]
}
