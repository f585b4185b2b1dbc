#!/usr/bin/env bash
# bench/display/run.sh BENCH_DRAW [offscreen|xvfb|wayland] [RUNS]
# Runs `bench_draw draw` RUNS times (default 3) on one display server, which
# it starts itself (Xvfb, or weston's headless backend with a private runtime
# directory), and after each run prints the server's processor time over the
# run as a share of the draw's wall time. Figures, not pass or fail.
set -euo pipefail
# The server ends with the script's process group.
. "$(dirname "$0")/../../tools/processes.sh"
bench=$1 kind=${2:-offscreen} runs=${3:-3}
work=$(mktemp -d)
server=""
test_cleanup() { rm -rf "$work"; }

case "$kind" in
offscreen)
    export QT_QPA_PLATFORM=offscreen
    ;;
xvfb)
    display=${BENCH_DISPLAY:-:$((90 + RANDOM % 100))}
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/server.log" 2>&1 &
    server=$!
    export DISPLAY=$display QT_QPA_PLATFORM=xcb
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
    ;;
wayland)
    chmod 700 "$work"
    export XDG_RUNTIME_DIR=$work WAYLAND_DISPLAY=bench-wayland QT_QPA_PLATFORM=wayland
    weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
        >"$work/server.log" 2>&1 &
    server=$!
    for _ in $(seq 50); do [ -S "$work/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
    ;;
*)
    echo "usage: $0 BENCH_DRAW [offscreen|xvfb|wayland] [RUNS]" >&2
    exit 2
    ;;
esac

# The server's user and system time in seconds, from /proc.
server_seconds() {
    [ -n "$server" ] || { echo 0; return; }
    awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$server/stat"
}

echo "display: $kind"
for _ in $(seq "$runs"); do
    before=$(server_seconds)
    out=$("$bench" draw)
    after=$(server_seconds)
    echo "$out"
    wall=$(sed -n 's/.*wall \([0-9.]*\) s.*/\1/p' <<<"$out")
    [ -n "$server" ] && awk -v a="$after" -v b="$before" -v w="$wall" \
        'BEGIN { printf "server processor: %.3f s = %.2f%% of the draw'"'"'s wall\n", a - b, 100 * (a - b) / w }'
done
