#!/usr/bin/env bash
# startup_environments.sh DALMIRO SENDCLOSE
# Starts the program, under a virtual X server, in environments that are each
# wrong in one way. Every case ends with an exit status, never a signal, and
# exactly one line of the program's own on standard error; a case that runs
# shows the window at the screen's own size and ends with status 0 when the
# window is closed. Nothing a case started is still running 5 s after it.
set -euo pipefail

if [ "${1:-}" != --inside ]; then
    . "$(dirname "$0")/../../tools/processes.sh"
    [ -n "${2:-}" ] || { echo "no sendclose: skipped"; exit 77; }
    run_under_x "xdotool" "$@"
fi
shift
dalmiro=$1 sendclose=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name | arguments to env(1) | the program's arguments | "runs" or the status
cases=(
    "QT_SCALE_FACTOR=-1|QT_SCALE_FACTOR=-1||runs"
    "QT_SCALE_FACTOR=-2|QT_SCALE_FACTOR=-2||runs"
    "QT_SCALE_FACTOR=0|QT_SCALE_FACTOR=0||runs"
    "QT_SCALE_FACTOR=1e-9|QT_SCALE_FACTOR=1e-9||runs"
    "QT_SCALE_FACTOR=nan|QT_SCALE_FACTOR=nan||runs"
    "QT_SCALE_FACTOR=inf|QT_SCALE_FACTOR=inf||runs"
    "QT_SCALE_FACTOR=40|QT_SCALE_FACTOR=40||runs"
    "QT_SCREEN_SCALE_FACTORS=-1|QT_SCREEN_SCALE_FACTORS=-1||runs"
    "QT_SCREEN_SCALE_FACTORS=1;nan|QT_SCREEN_SCALE_FACTORS=1;nan||runs"
    "QT_SCREEN_SCALE_FACTORS=SCREEN=40|QT_SCREEN_SCALE_FACTORS=SCREEN=40||runs"
    "DISPLAY with no server|DISPLAY=:4999||1"
    "DISPLAY=garbage|DISPLAY=garbage||1"
    "-display with no server||-display :4999|1"
    "-platform bogus||-platform bogus|1"
    "QT_QPA_PLATFORM=bogus|QT_QPA_PLATFORM=bogus||1"
    "Wayland with no compositor|-u DISPLAY WAYLAND_DISPLAY=dalmiro-none QT_QPA_PLATFORM=wayland||1"
    "no display at all|-u DISPLAY -u WAYLAND_DISPLAY||1"
)

# The test's process group as it is now: its processes but this script and
# the script's own children (the listing's, and a case's program until it is
# waited for).
group_now() {
    ps -e -o pid=,pgid=,ppid= >"$work/ps"
    awk -v group="$DALMIRO_TEST_GROUP" -v me=$$ '$2 == group && $1 != me && $3 != me { print $1 }' \
        "$work/ps" | sort
}
failures=0
for entry in "${cases[@]}"; do
    IFS='|' read -r name environment arguments expected <<<"$entry"
    read -r -a environment <<<"$environment"
    read -r -a arguments <<<"$arguments"
    problem=""
    group_now >"$work/before"
    env "${environment[@]}" "$dalmiro" "${arguments[@]}" >/dev/null 2>"$work/err" &
    pid=$!
    if [ "$expected" = runs ]; then
        # The window, at the screen's own ratio 1: its inner area 797 x 601.
        wid=""
        for _ in $(seq 100); do
            for candidate in $(xdotool search --onlyvisible --pid "$pid" --name '^Dalmiro$' 2>/dev/null); do
                eval "$(xdotool getwindowgeometry --shell "$candidate")"
                [ "$WIDTH" = 797 ] && [ "$HEIGHT" = 601 ] && wid=$candidate
            done
            [ -n "$wid" ] || ! kill -0 "$pid" 2>/dev/null && break
            sleep 0.1
        done
        if [ -n "$wid" ]; then
            "$sendclose" "$wid"
            expected=0
        else
            problem="no 797 x 601 window;"
        fi
    fi
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && { problem+=" still running;"; kill -KILL "$pid"; }
    status=0
    wait "$pid" || status=$?
    [ "$status" -ge 128 ] && problem+=" ended by signal $((status - 128));"
    [ "$status" = "$expected" ] || problem+=" status $status, not $expected;"
    ours=$(grep -c '^dalmiro: ' "$work/err" || true)
    [ "$ours" = 1 ] || problem+=" $ours lines of its own on stderr;"
    # Nothing the case started outlives it by more than 5 s.
    for _ in $(seq 50); do
        group_now >"$work/after"
        left=$(comm -13 "$work/before" "$work/after" | paste -sd, -)
        [ -z "$left" ] && break
        sleep 0.1
    done
    [ -z "$left" ] || problem+=" left running: $(ps -o args= -p "$left" | paste -sd' ' -);"
    if [ -n "$problem" ]; then
        echo "FAIL $name:$problem" >&2
        sed 's/^/    /' "$work/err" >&2
        failures=$((failures + 1))
    else
        echo "ok   $name: status $status; $(grep '^dalmiro: ' "$work/err")"
    fi
done
[ "$failures" -eq 0 ] || exit 1
echo "PASS"
