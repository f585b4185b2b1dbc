#!/usr/bin/env bash
# wine_e2e.sh WINE_RUN PACKAGE_DIR SHOTS
# The packaged Dalmiro.exe under Wine and a virtual X server, started from its
# folder with nothing else on Wine's DLL path:
# 1. the end-to-end draw of tests/e2e/draw_e2e.sh, unchanged: a 797 x 601
#    window, a press of "Gioca Ora", a whole draw that ends with seven
#    numbers, the circle and the button enabled, a second press, and in that
#    draw a close by Alt+F4 (Windows' close, the close box's command): the
#    program must end by itself with status 0;
# 2. with Wine drawing the window's frame itself (no window manager here): a
#    caption with a close box and no maximise box; a click on the close box
#    ends the program with status 0.
# Screenshots stay in SHOTS (draw/ for the first part, frame-*.png).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/processes.sh"

if [ "${1:-}" != --frame ]; then
    for tool in xvfb-run xdotool import convert; do
        command -v "$tool" >/dev/null || { echo "missing $tool: skipped"; exit 77; }
    done
    wine_run=$1 package=$2 shots=$3
    [ -x "$package/Dalmiro.exe" ] || { echo "FAIL: no $package/Dalmiro.exe" >&2; exit 1; }
    mkdir -p "$shots"
    launcher=$shots/dalmiro.sh
    closer=$shots/close.sh
    # A Wine session is tied to one X display: each run starts a new one.
    cat >"$launcher" <<EOF
#!/bin/sh
'$wine_run' --restart
cd '$package' && DALMIRO_WINEPATH= exec '$wine_run' ./Dalmiro.exe
EOF
    cat >"$closer" <<'EOF'
#!/bin/sh
exec xdotool key --window "$1" alt+F4
EOF
    chmod +x "$launcher" "$closer"

    echo "== the draw"
    "$here/../e2e/draw_e2e.sh" "$launcher" "$shots/draw" "$closer"

    echo "== the frame"
    "$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
    # Wine's server leaves the group: its session is ended on every way out.
    test_cleanup() {
        "$wine_run" reg delete 'HKCU\Software\Wine\X11 Driver' /v Decorated /f >/dev/null
        "$wine_run" --restart
    }
    interruptible xvfb-run -a -n "$(x_display_hint)" -s "-screen 0 1024x768x24" "$0" --frame "$launcher" "$shots"
    exit
fi

launcher=$2 shots=$3
rm -f "$shots"/frame-*.png
"$launcher" &
pid=$!
fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }

wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^Dalmiro$' 2>/dev/null | head -1) || true
    [ -n "$wid" ] && break
    sleep 0.2
done
[ -n "$wid" ] || fail "no window"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
# The frame: a border b on the left, the right and the bottom, the caption
# and the border above.
border=$(((WIDTH - 797) / 2))
caption=$((HEIGHT - 601 - 2 * border))
echo "frame: ${WIDTH} x ${HEIGHT}, border $border, caption $caption"
[ $((WIDTH - 797)) -eq $((2 * border)) ] && [ "$border" -gt 0 ] && [ "$caption" -ge 12 ] ||
    fail "the window is ${WIDTH} x ${HEIGHT}: not a 797 x 601 inner area in a frame"
import -window root "png:$shots/frame-start.png"

# The caption's buttons sit at its right end, each about a caption high: the
# close box last, a maximise box (there must be none) just left of it.
row=$((Y + border + caption / 2))
close_x=$((X + WIDTH - border - 2 - (caption - 4) / 2))
xdotool mousemove --sync $((close_x - caption)) "$row" click 1
sleep 1
kill -0 "$pid" 2>/dev/null || fail "a click left of the close box ended the program"
eval "$(xdotool getwindowgeometry --shell "$wid" | sed 's/^/AFTER_/')"
[ "$AFTER_WIDTH" = "$WIDTH" ] && [ "$AFTER_HEIGHT" = "$HEIGHT" ] ||
    fail "a click left of the close box changed the window to ${AFTER_WIDTH} x ${AFTER_HEIGHT}"

xdotool mousemove --sync "$close_x" "$row" mousedown 1
sleep 0.3
import -window root "png:$shots/frame-close-pressed.png"
xdotool mouseup 1
status=0
for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.01
done
kill -0 "$pid" 2>/dev/null && fail "still running 3 s after a click on the close box"
wait "$pid" || status=$?
echo "close box: exit status $status"
[ "$status" = 0 ] || fail "exit status $status after the close box"
echo "PASS"
