#!/usr/bin/env bash
# Times start-up to the first painted window and peak memory for the program
# and for a bare Qt window of the same size, interleaved, on this machine.
# Usage: bench/startup/run.sh [RUNS] [RATIO]   (default 15 runs at ratio 1)
# RATIO is the screen's device pixel ratio, set through QT_SCALE_FACTOR for
# both programs. Needs a display, or starts Xvfb with a screen large enough.
# DALMIRO_BUILD_DIR selects the build (default build/bench: the preset "bench").
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-15}
ratio=${2:-1}
export QT_SCALE_FACTOR=$ratio
build=${DALMIRO_BUILD_DIR:-$root/build/bench}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 2560x1600x24" "$0" "$@"
fi
# The programs end with the script's process group (xvfb-run ends its server).
. "$root/tools/processes.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
    (cd "$root" && cmake --preset bench -B "$build" >/dev/null)
fi
cmake --build "$build" --target startup_bare startup_dalmiro >/dev/null

# One run: prints "milliseconds-to-first-paint peak-rss-KiB".
measure() {
    local program=$1 rss painted start
    rss=$(mktemp)
    start=$(date +%s%N)
    painted=$(/usr/bin/time -f %M -o "$rss" "$program")
    echo "$(( (painted - start) / 1000 )) $(tail -n 1 "$rss")" |
        awk '{ printf "%.2f %d\n", $1 / 1000, $2 }'
    rm -f "$rss"
}

median() { sort -n | awk '{ v[NR] = $1 } END { m = int((NR + 1) / 2); print (NR % 2) ? v[m] : (v[m] + v[m + 1]) / 2 }'; }

bare=$(mktemp) prog=$(mktemp)
test_cleanup() { rm -f "$bare" "$prog"; }
# A first run of each warms the file cache; it is not counted.
measure "$build/bench/startup/startup_bare" >/dev/null
measure "$build/bench/startup/startup_dalmiro" >/dev/null
for _ in $(seq "$runs"); do
    measure "$build/bench/startup/startup_bare" >>"$bare"
    measure "$build/bench/startup/startup_dalmiro" >>"$prog"
done

bare_ms=$(cut -d' ' -f1 "$bare" | median)
prog_ms=$(cut -d' ' -f1 "$prog" | median)
bare_kib=$(cut -d' ' -f2 "$bare" | median)
prog_kib=$(cut -d' ' -f2 "$prog" | median)
echo "runs: $runs each at ratio $ratio, medians"
echo "bare window: ${bare_ms} ms to first paint, peak RSS ${bare_kib} KiB"
echo "dalmiro:     ${prog_ms} ms to first paint, peak RSS ${prog_kib} KiB"
# The memory allowance grows with the pictures: +8 MiB at 1, +24 MiB at 2.
awk -v b="$bare_ms" -v p="$prog_ms" -v bk="$bare_kib" -v pk="$prog_kib" -v r="$ratio" 'BEGIN {
    printf "start-up ratio: %.2f (target <= 1.5)\n", p / b
    printf "memory: +%.2f MiB over the bare window, ratio %.2f (target <= +%d MiB)\n",
        (pk - bk) / 1024, pk / bk, (r >= 2 ? 24 : 8)
}'
