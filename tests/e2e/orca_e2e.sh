#!/usr/bin/env bash
# orca_e2e.sh DALMIRO OUT
# Plays three draws with the keyboard alone (Space, Return, keypad Enter)
# under a virtual X server, the openbox window manager, the accessibility bus
# and the Orca screen reader, and checks what Orca says: each key starts a
# draw, and during it Orca speaks the seven numbers the window shows, in
# order, with the jolly named. Orca's debug file and the speech stay in OUT.
set -euo pipefail

if [ "${1:-}" != --inside ]; then
    . "$(dirname "$0")/../../tools/processes.sh"
    run_under_x "openbox orca xdotool" "$@"
fi
shift
dalmiro=$1 out=$2
rm -rf "$out" && mkdir -p "$out/prefs"
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() { # SECONDS COMMAND...: polls the command until it succeeds
    local limit=$(($(date +%s) + $1)) && shift
    until "$@"; do [ "$(date +%s)" -lt "$limit" ] || return 1 && sleep 0.3; done
}

export HOME=$out/home XDG_RUNTIME_DIR=$out/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/bus.log" 2>&1 &
a11y_on() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:"$1" variant:boolean:true; }
wait_for 60 a11y_on IsEnabled >/dev/null 2>&1 || fail "no accessibility bus"
a11y_on ScreenReaderEnabled >/dev/null
openbox >"$out/openbox.log" 2>&1 &
# Orca's laptop layout leaves the keypad to the program.
printf '{"general": {"keyboardLayout": 2, "enableBraille": false}, "profiles": {"default": {"profile": ["Default", "default"]}}, "pronunciations": {}, "keybindings": {}}\n' \
    >"$out/prefs/user-settings.conf"
# Orca as installed, with two changes for a test: its debug file written line
# by line (it is block-buffered), and no look for another user's Orca.
/usr/bin/python3 -c '
import builtins, runpy, sys
debug_file, opener = sys.argv[1], builtins.open
builtins.open = lambda name, mode="r", *args, **kw: opener(name, mode, buffering=1) \
    if name == debug_file else opener(name, mode, *args, **kw)
sys.argv = ["orca"] + sys.argv[2:]
orca = runpy.run_path("/usr/bin/orca", run_name="orca_under_test")
orca["main"].__globals__["otherOrcas"] = lambda: []
sys.exit(orca["main"]())' "$out/orca.debug" -d braille -d braille-monitor -u "$out/prefs" \
    --debug-file="$out/orca.debug" >"$out/orca.log" 2>&1 &
# What Orca has said, one utterance a line.
spoken() {
    { grep -a ' - SPEECH OUTPUT: ' "$out/orca.debug" 2>/dev/null || true; } |
        sed "s/^.* - SPEECH OUTPUT: '//; s/' *{'established.*\$//"
}
heard() { spoken | grep -q "$1"; }
wait_for 90 heard '^Screen reader on' || fail "Orca did not start: $(tail -n 5 "$out/orca.log")"

"$dalmiro" >"$out/dalmiro.log" 2>&1 &
wait_for 90 heard '^Gioca Ora \(push \)\?button' || fail "no button heard; Orca said: $(spoken)"

# The names of the results in the window's accessible tree, read over the bus.
exposed() { /usr/bin/python3 -c 'import pyatspi
app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name.lower() == "dalmiro")
print("\n".join(c.name for c in pyatspi.findDescendant(app, lambda o: o.name == "Numeri proposti")))'; }

ranks=$'Primo numero\nSecondo numero\nTerzo numero\nQuarto numero\nQuinto numero\nSesto numero\nJolly'
before=0
since() { spoken | tail -n +$((before + 1)); }
said() { since | grep -q "$@"; }
for key in space Return KP_Enter; do
    before=$(spoken | wc -l)
    xdotool key "$key"
    wait_for 30 said 'Estrazione in corso' || fail "$key started no draw; Orca said: $(since)"
    wait_for 180 said 'Numeri proposti: .*Jolly' || fail "no end to the draw; Orca said: $(since)"
    since >"$out/speech-$key.txt"
    shown=$(exposed)
    [ "$(sed 's/: [0-9]*$//' <<<"$shown")" = "$ranks" ] || fail "the window shows: $shown"
    # Each number as its ball landed, in draw order, then the whole proposal.
    # (Orca 47 may say a label twice, as it gets the focus and as it shows.)
    [ "$(since | grep -oE '^[A-Z][a-z]+( numero)?: [0-9]+' | uniq)" = "$shown" ] ||
        fail "the window shows: $shown; Orca said: $(since)"
    mapfile -t numbers < <(grep -oE '[0-9]+$' <<<"$shown")
    printf -v summary 'Numeri proposti: %s, %s, %s, %s, %s, %s. Jolly: %s.' "${numbers[@]}"
    said -F "$summary" || fail "no '$summary'; Orca said: $(since)"
    echo "$key started a draw, spoken whole: ${numbers[*]}"
done
