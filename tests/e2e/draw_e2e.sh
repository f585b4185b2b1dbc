#!/usr/bin/env bash
# draw_e2e.sh DALMIRO SHOTS [SENDCLOSE]
# Starts the program under a virtual X server, presses "Gioca Ora" with the
# mouse, watches the draw through screenshots (kept in SHOTS), checks that
# it ends with the results, the jolly's circle and a usable button, presses
# again, and closes the window with its close message in the middle of that
# draw: the program must then end by itself with status 0.
set -euo pipefail

if [ "${1:-}" != --inside ]; then
    . "$(dirname "$0")/../../tools/processes.sh"
    run_under_x "xdotool import convert compare" "$@"
fi
shift
dalmiro=$1 shots=$2 sendclose=${3:-}
mkdir -p "$shots"
rm -f "$shots"/*.png

fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }
shot() { import -window root "png:$shots/$1.png"; }
# The colour at a point of the window's inner area, as "r g b".
colour() {
    convert "$shots/$1.png" -format \
        "%[fx:int(255*p{$((X + $2)),$((Y + $3))}.r+0.5)] %[fx:int(255*p{$((X + $2)),$((Y + $3))}.g+0.5)] %[fx:int(255*p{$((X + $2)),$((Y + $3))}.b+0.5)]" info:
}
# The circle's light green, below the jolly's number.
circle_shown() {
    read -r r g b < <(colour "$1" 663 255)
    [ "$g" -ge 235 ] && [ "$r" -ge 170 ] && [ "$r" -le 215 ] && [ "$b" -le 215 ]
}
# The teal body of a result ball, left of its white plate; the column's grey
# where no ball is shown. Balls 0 to 5 from the bottom up, then the jolly.
ball_tops=(517 472 427 383 337 293 223)
ball_shown() {
    read -r r g b < <(colour "$1" 647 $((${ball_tops[$2]} + 23)))
    [ "$b" -ge $((r + 60)) ] && [ "$g" -ge $((r + 40)) ]
}
all_balls_shown() {
    for k in 0 1 2 3 4 5 6; do ball_shown "$1" "$k" || return 1; done
}
# The button looks as it did before the first press: enabled again. Inside
# its focus ring only: the ring comes and goes with the window's focus.
button_as_at_start() {
    convert "$shots/$1.png" -crop "99x27+$((X + 483))+$((Y + 539))" +repage "$shots/button.png"
    [ "$(compare -metric AE "$shots/button-start.png" "$shots/button.png" null: 2>&1)" = 0 ]
}

"$dalmiro" &
pid=$!
# The toolkit gives more than one of its X windows the caption; the main
# window is the one with the 797 x 601 inner area.
wid=""
for _ in $(seq 1 100); do
    for candidate in $(xdotool search --onlyvisible --name '^Dalmiro$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$candidate")"
        if [ "$WIDTH" = 797 ] && [ "$HEIGHT" = 601 ]; then
            wid=$candidate
            break 2
        fi
    done
    sleep 0.2
done
[ -n "$wid" ] || fail "no window"
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y: the window's inner origin
sleep 1
shot 00-start
convert "$shots/00-start.png" -crop "99x27+$((X + 483))+$((Y + 539))" +repage \
    "$shots/button-start.png"
circle_shown 00-start && fail "circle shown before the first draw"
ball_shown 00-start 0 && fail "a result shown before the first draw"

# "Gioca Ora" lies at (480, 536) to (585, 569) in the window; press its middle
# and move the pointer off it, so that the button is not drawn hovered.
xdotool mousemove --sync $((X + 532)) $((Y + 552)) click 1
xdotool mousemove --sync $((X + 100)) $((Y + 590))

wait_for_end() { # $1: name of the shots
    ended=""
    disabled_seen=""
    for n in $(seq -w 1 120); do
        sleep 0.5
        shot "$1-$n"
        button_as_at_start "$1-$n" || disabled_seen=1
        if [ -n "$disabled_seen" ] && circle_shown "$1-$n" && all_balls_shown "$1-$n" &&
            button_as_at_start "$1-$n"; then
            ended="$1-$n"
            return 0
        fi
    done
    [ -n "$disabled_seen" ] || fail "the button never changed: no draw started"
    fail "the draw did not end with seven results, the circle and the button"
}
wait_for_end draw
echo "draw ended by $ended"

# The button works again: a second press clears the results at once.
xdotool mousemove --sync $((X + 532)) $((Y + 552)) click 1
xdotool mousemove --sync $((X + 100)) $((Y + 590))
cleared=""
for n in 1 2 3 4 5 6 7 8 9 10; do
    sleep 0.2
    shot "again-$n"
    if ! circle_shown "again-$n" && ! ball_shown "again-$n" 0; then
        cleared=1
        break
    fi
done
[ -n "$cleared" ] || fail "a second press did not start a new draw"

# Closing the window in the middle of that draw ends the program at once.
sleep 1.5
shot again-close
button_as_at_start again-close && fail "the second draw ended before the close"
if [ -n "$sendclose" ]; then
    start=$(date +%s%N)
    "$sendclose" "$wid"
    status=0
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    kill -0 "$pid" 2>/dev/null && fail "still running 3 s after the close"
    wait "$pid" || status=$?
    elapsed=$((($(date +%s%N) - start) / 1000000))
    echo "closed: exit status $status after $elapsed ms"
    [ "$status" = 0 ] || fail "exit status $status after the close"
else
    kill "$pid"
    wait "$pid" || true
fi
echo "PASS"
