# shellcheck shell=bash
# Sourced by the tools that run CMakePresets.json's presets: exports what the
# presets read from the environment and cannot work out themselves.
#   DALMIRO_DEB_CXXFLAGS, DALMIRO_DEB_LDFLAGS  Debian's flags for a package
#       (dpkg-buildflags, with every hardening feature), for the presets that
#       build as Debian does; the file prefix they map is the source tree.
#   DALMIRO_QT_HOST_CMAKE_DIR  where the build machine's Qt keeps its CMake
#       packages, for the cross builds.
#   CTEST_PARALLEL_LEVEL  the test presets' parallel jobs, unless already set.
preset_env() {
    local root=$1
    if command -v dpkg-buildflags >/dev/null; then
        export DEB_BUILD_MAINT_OPTIONS=hardening=+all
        DALMIRO_DEB_CXXFLAGS="$(cd "$root" && dpkg-buildflags --get CPPFLAGS) $(cd "$root" && dpkg-buildflags --get CXXFLAGS)"
        DALMIRO_DEB_LDFLAGS=$(cd "$root" && dpkg-buildflags --get LDFLAGS)
        export DALMIRO_DEB_CXXFLAGS DALMIRO_DEB_LDFLAGS
    fi
    DALMIRO_QT_HOST_CMAKE_DIR=/usr/lib/$(gcc -dumpmachine 2>/dev/null || echo x86_64-linux-gnu)/cmake
    export DALMIRO_QT_HOST_CMAKE_DIR
    # Twice the cores: the suite's draws mostly wait on the clock.
    export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$((2 * $(nproc)))}
}
