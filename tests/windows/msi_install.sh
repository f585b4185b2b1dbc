#!/usr/bin/env bash
# msi_install.sh WINE_RUN MSI VERSION PACKAGE_DIR ICON WIXL WXS WORK
# The installer under Wine, in a fresh prefix (WORK/wineprefix):
# 1. a silent per-machine install puts the package's files, byte for byte,
#    into Program Files\Dalmiro, a shortcut "Dalmiro" to the program into the
#    Start menu's Programs folder, and one entry with the program's name,
#    publisher, version and icon into the installed apps;
# 2. the installed program plays the end-to-end draw of tests/e2e and prints
#    nothing (no complaint about its DPI awareness);
# 3. the same files at a higher version (VERSION with its last number raised),
#    built here, replace it: one entry is left, the new version's;
# 4. a silent uninstall leaves the prefix's files and registry as they were.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/processes.sh"
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "missing $tool: skipped"; exit 77; }
done
wine_run=$1 msi=$2 version=$3 package=$4 icon=$5 wixl=$6 wxs=$7 work=$8
higher=${version%.*}.$((${version##*.} + 1))
# Wine's server leaves the group: its session is ended on every way out.
test_cleanup() { "$wine_run" --restart; }

fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
export DALMIRO_WINEPREFIX=$work/wineprefix
wine() { DALMIRO_WINEPATH= "$wine_run" "$@"; }
drive_c=$DALMIRO_WINEPREFIX/drive_c
installed=$drive_c/"Program Files"/Dalmiro
# The all users' Start menu, where Windows puts a per-machine install's
# shortcuts; Wine's installer puts them into the user's (its own known gap).
programs=("$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
    "$drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
shortcuts() { for dir in "${programs[@]}"; do [ ! -f "$dir/Dalmiro.lnk" ] || echo "$dir/Dalmiro.lnk"; done; }
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# The prefix's files and its software registry (HKLM's and HKCU's Software,
# less Wine's own settings), keys listed only with their values. Windows
# Installer's own folder and keys, which outlive every product, are empty
# when none is installed: left out while they are.
snapshot() {
    wine reg export 'HKLM\Software' "$work/hklm.reg" /y >/dev/null
    wine reg export 'HKCU\Software' "$work/hkcu.reg" /y >/dev/null
    "$wine_run" --restart
    {
        (cd "$drive_c" && find . \( -path ./windows/Installer -empty \) -prune -o \
            ! -path './windows/temp*' ! -path './users/*/Temp*' -print | sort)
        cat "$work/hklm.reg" "$work/hkcu.reg" | iconv -f UTF-16LE -t UTF-8 | tr -d '\r' |
            awk '/^\[/ { key = $0; wine = /^\[HKEY_CURRENT_USER\\Software\\Wine/; next }
                 /^$/ || wine { next }
                 key != "" { print key; key = "" } { print }'
    } >"$1"
}
# The installed apps' entries named Dalmiro, as "key|publisher|version".
entries() {
    wine reg query "$uninstall" /s | tr -d '\r' | awk -F '    ' '
        /^HKEY/ { if (n == "Dalmiro") print k "|" p "|" v; k = $0; sub(/.*\\/, "", k); n = p = v = "" }
        $2 == "DisplayName" { n = $4 } $2 == "Publisher" { p = $4 } $2 == "DisplayVersion" { v = $4 }
        END { if (n == "Dalmiro") print k "|" p "|" v }'
}
msiexec() { # msiexec /i|/x FILE: silent, with a log kept in WORK
    local log
    log="$work/msiexec-$(basename "$2")-${1#/}.log"
    wine msiexec "$1" "$(wine winepath -w "$2" | tr -d '\r')" /qn /l*v \
        "$(wine winepath -w "$log" | tr -d '\r')" || fail "msiexec $1 $2: status $?"
}

echo "== a fresh prefix"
wine cmd /c exit
snapshot "$work/before.txt"

echo "== install $(basename "$msi")"
msiexec /i "$msi"
diff -r "$package" "$installed" || fail "the installed files differ from the package's"
mapfile -t found < <(shortcuts)
[ ${#found[@]} = 1 ] || fail "${#found[@]} shortcuts Dalmiro.lnk in the Start menus"
shortcut=${found[0]}
echo "shortcut: $shortcut"
# A shell link names its target in the local code page, its icon in UTF-16.
grep -a -q -F 'C:\Program Files\Dalmiro\Dalmiro.exe' "$shortcut" ||
    fail "the shortcut does not start the installed Dalmiro.exe"
shortcut_icon=$(strings -el "$shortcut" | grep -o -i '[A-Z]:\\.*\.ico$') ||
    fail "the shortcut has no icon"
mapfile -t found < <(entries)
echo "installed apps: ${found[*]}"
[ ${#found[@]} = 1 ] || fail "${#found[@]} entries named Dalmiro in the installed apps"
IFS='|' read -r code publisher shown <<<"${found[0]}"
[ "$publisher|$shown" = "Dalmiro developers|$version" ] || fail "entry: $publisher, $shown"
# The entry's icon (the installed product's ProductIcon, which the list shows)
# and the shortcut's: the icon the executable carries, byte for byte.
product_icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
    sed -n "s/^ *ProductIcon *REG_SZ *\(.*\\\\$code\\\\.*\)$/\1/p")
[ -n "$product_icon" ] || fail "the entry has no icon"
for shown_icon in "$product_icon" "$shortcut_icon"; do
    cmp "$icon" "$(wine winepath -u "$shown_icon" | tr -d '\r')" ||
        fail "$shown_icon is not the program's icon"
done

echo "== the installed program"
cat >"$work/dalmiro.sh" <<EOF
#!/bin/sh
'$wine_run' --restart
cd '$installed' && DALMIRO_WINEPATH= exec '$wine_run' ./Dalmiro.exe 2>>'$work/dalmiro.stderr'
EOF
printf '#!/bin/sh\nexec xdotool key --window "$1" alt+F4\n' >"$work/close.sh"
chmod +x "$work/dalmiro.sh" "$work/close.sh"
: >"$work/dalmiro.stderr"
"$here/../e2e/draw_e2e.sh" "$work/dalmiro.sh" "$work/shots" "$work/close.sh"
"$wine_run" --restart
# Nothing but what this Wine prints for any Qt program, manifest or none: it
# has no per-monitor v2 awareness (Qt's request fails with "invalid
# parameter", where Windows answers "access denied", already set by the
# manifest, and Qt keeps quiet) and no EnableNonClientDpiScaling; and its
# session loses the X server at the end.
if tr -d '\r' <"$work/dalmiro.stderr" | grep -v \
    -e '^qt.qpa.windows: SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) failed: COM error 0x57 ' \
    -e '^EnableNonClientDpiScaling() failed for HWND .* (Call not implemented.)$' \
    -e '^X connection to :[0-9]* broken' >&2; then
    fail "the program printed the above"
fi

echo "== a higher version over it"
(cd "$(dirname "$package")" && cp "$icon" "$work/icon.ico" &&
    "$wixl" --arch x64 -D Version="$higher" -D SourceDir="$(basename "$package")" \
        -D IconFile="$(realpath --relative-to=. "$work/icon.ico")" \
        -o "$work/Dalmiro-$higher.msi" "$wxs")
msiexec /i "$work/Dalmiro-$higher.msi"
mapfile -t found < <(entries)
echo "installed apps: ${found[*]}"
[ ${#found[@]} = 1 ] || fail "${#found[@]} entries named Dalmiro after the upgrade"
[[ ${found[0]} = *"|$higher" && ${found[0]} != "$code|"* ]] || fail "the entry is not the new version's"
diff -r "$package" "$installed" || fail "the upgraded files differ from the package's"
[ "$(shortcuts)" = "$shortcut" ] || fail "not one shortcut after the upgrade"

echo "== uninstall"
msiexec /x "$work/Dalmiro-$higher.msi"
[ -z "$(entries)" ] || fail "an entry is left in the installed apps"
snapshot "$work/after.txt"
[ ! -e "$installed" ] || fail "$installed is left"
[ -z "$(shortcuts)" ] || fail "a shortcut is left"
diff "$work/before.txt" "$work/after.txt" || fail "the uninstall left the above behind"
echo "PASS"
