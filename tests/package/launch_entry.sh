#!/usr/bin/env bash
# Started by draw_e2e.sh as "the program": runs the installed menu entry's
# Exec line in the system at $DALMIRO_TEST_ROOT, as its user "player", on
# the X server that draw_e2e.sh started. The server's socket is shared with
# the chroot through Linux's abstract socket namespace; its cookie is copied.
set -euo pipefail
target=$DALMIRO_TEST_ROOT
install -m 644 "$XAUTHORITY" "$target/tmp/xauthority"
# The per-user runtime directory that a desktop session provides.
uid=$(chroot "$target" id -u player) gid=$(chroot "$target" id -g player)
install -d -m 700 -o "$uid" -g "$gid" "$target/run/user/$uid"
exec_line=$(sed -n 's/^Exec=//p' "$target/usr/share/applications/it.dalmiro.Dalmiro.desktop")
# The entry has no field codes and no quoting, so its words are the command.
read -r -a command <<<"$exec_line"
exec chroot "$target" setpriv --reuid=player --regid=player --init-groups \
    env -i HOME=/home/player DISPLAY="$DISPLAY" XAUTHORITY=/tmp/xauthority \
    XDG_RUNTIME_DIR="/run/user/$uid" \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games "${command[@]}"
