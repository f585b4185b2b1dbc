#!/usr/bin/env bash
# wayland_e2e.sh WAYLAND_DRAW SHOTS
# Starts weston's headless backend with a private runtime directory and
# socket, then runs a whole draw in the real window on the real clock there,
# checked on the compositor's own screenshots (kept in SHOTS), and a draw that
# the window's close ends: that must exit with status 0.
set -euo pipefail
. "$(dirname "$0")/../../tools/processes.sh"
driver=$1 shots=$2
for tool in weston weston-screenshooter; do
    command -v "$tool" >/dev/null || { echo "missing $tool: skipped"; exit 77; }
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
    ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    { echo "missing Qt's Wayland platform plugin: skipped"; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
# weston and everything else the test starts ends with its process group.
test_cleanup() { rm -rf "${runtime:-}"; }
fail() { echo "FAIL: $*" >&2; sed 's/^/weston: /' "$runtime/weston.log" >&2 || true; exit 1; }

export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=dalmiro-test QT_QPA_PLATFORM=wayland
unset DISPLAY
# The pixman renderer, so that the screenshots show what was composited;
# --debug lets weston-screenshooter take them.
weston --backend=headless-backend.so --use-pixman --debug --width=1280 --height=1024 \
    --socket="$WAYLAND_DISPLAY" --idle-time=0 --log="$runtime/weston.log" &
for _ in $(seq 100); do
    [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
[ -S "$runtime/$WAYLAND_DISPLAY" ] || fail "weston did not start"

rm -rf "$shots"
mkdir -p "$shots/draw" "$shots/close"
# --foreground keeps the driver in this script's process group.
interruptible timeout --foreground 120 "$driver" draw "$shots/draw" || fail "the draw under Wayland (status $?)"

status=0
interruptible timeout --foreground 60 "$driver" close "$shots/close" || status=$?
[ "$status" = 0 ] || fail "exit status $status after a close in the middle of a draw"
echo "closed in the middle of a draw: exit status 0"
echo "PASS"
