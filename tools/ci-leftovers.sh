#!/usr/bin/env bash
# ci-leftovers.sh COMMAND [ARG]...
# Runs COMMAND, then checks that every process it started has ended: a test
# that leaves a process behind fails the run, and the process is ended.
#
# The run's processes are told apart from the rest of the machine by session
# and by parent, never by name. This script runs COMMAND in a session of its
# own and is the child subreaper of everything under it, so a process that
# outlives its parent becomes its child, even one that started a session of
# its own. What it finds there at the end, and did not find before COMMAND,
# is left over. Exit status: COMMAND's, or 1 when something was left over.
set -uo pipefail

if [ -z "${DALMIRO_LEFTOVER_CHECK:-}" ]; then
    export DALMIRO_LEFTOVER_CHECK=1
    # A new session (setsid forks first when this is a group leader), and the
    # subreaper attribute, which lasts across exec, set before this script
    # starts again in it.
    exec setsid -w perl -e 'require "syscall.ph";
        syscall(&SYS_prctl, 36, 1, 0, 0, 0) == 0 or die "PR_SET_CHILD_SUBREAPER: $!\n";
        exec @ARGV or die "exec: $!\n"' -- "$0" "$@"
fi

session=$$
# Every live process that belongs to the run: in its session, or a child of
# this script, or below either. One line each: "PID STARTTIME". Only shell
# builtins, so that listing starts no process of its own.
list_run() {
    local -A ppid_of=() start_of=() in_run=()
    local dir stat fields pid changed
    for dir in /proc/[0-9]*; do
        read -r stat 2>/dev/null <"$dir/stat" || continue
        pid=${dir#/proc/}
        # The name in parentheses may hold spaces: the fields follow its ')'.
        read -r -a fields <<<"${stat##*) }"
        [ "${fields[0]}" = Z ] && continue # ended, waiting to be reaped
        ppid_of[$pid]=${fields[1]} start_of[$pid]=${fields[19]}
        if [ "$pid" != $$ ] && [ "$pid" != "$BASHPID" ] && { [ "${fields[3]}" = "$session" ] || [ "${fields[1]}" = $$ ]; }; then
            in_run[$pid]=1
        fi
    done
    changed=1
    while [ -n "$changed" ]; do
        changed=""
        for pid in "${!ppid_of[@]}"; do
            if [ -z "${in_run[$pid]:-}" ] && [ -n "${in_run[${ppid_of[$pid]}]:-}" ]; then
                in_run[$pid]=1 changed=1
            fi
        done
    done
    for pid in "${!in_run[@]}"; do
        echo "$pid ${start_of[$pid]}"
    done
}

# What is left over: listed now and not before COMMAND.
left_over() {
    local -A before=()
    local line
    while read -r line; do before[$line]=1; done <"$work/before"
    list_run >"$work/now"
    while read -r line; do
        [ -n "${before[$line]:-}" ] || echo "${line%% *}"
    done <"$work/now"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
list_run >"$work/before"

"$@"
status=$?

# A process may take a moment to end after what ended it.
waited_from=$SECONDS
while :; do
    mapfile -t leftovers < <(left_over)
    [ ${#leftovers[@]} -eq 0 ] && exit "$status"
    [ $((SECONDS - waited_from)) -ge 10 ] && break
    sleep 0.5
done
echo "FAIL: the run left ${#leftovers[@]} processes behind:" >&2
for pid in "${leftovers[@]}"; do
    ps -o pid=,ppid=,sid=,etime=,args= -p "$pid" >&2 || true
done
kill -TERM "${leftovers[@]}" 2>/dev/null
sleep 2
kill -KILL "${leftovers[@]}" 2>/dev/null
exit 1
