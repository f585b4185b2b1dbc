#!/usr/bin/env bash
# processes.sh: the one way the project's tests, benchmarks and CI end the
# processes they start. Processes are told apart by process group, session
# and parentage, never by name; each is ended with TERM, then KILL 3 s later.
#
# Sourced at the top of a script, before it starts anything: the script runs
# as the leader of a process group of its own (same pid, same session), and
# on every way out, an error, a failed check or a signal, it ends every other
# process in that group, then runs the script's test_cleanup if it has one.
# Whatever the script starts stays in the group unless it leaves it, so
# nothing outlives it. A script started by one that sourced this shares that
# one's group ($DALMIRO_TEST_GROUP) and leaves the ending to it. It also gives
# `interruptible COMMAND...` and `run_under_x "TOOL..." ARG...` (below).
#
# Run as a command:
#   processes.sh group COMMAND [ARG]...  runs COMMAND as such a script would,
#       for a test not written in shell; exit status COMMAND's.
#   processes.sh check COMMAND [ARG]...  runs COMMAND in a session of its own,
#       as the child subreaper of everything under it (an orphan becomes its
#       child, even one that started a session of its own), and fails when
#       COMMAND leaves anything alive: what is left 10 s after COMMAND's end
#       is listed and ended. Exit status COMMAND's, or 1 when anything was
#       left. CI runs under it.

# processes_list group|run ID: every live process (not a zombie) of the
# process group ID, or of the run: the session ID, the children of the pid ID
# and everything below either; but this shell. Into the array processes_found,
# one "PID START" each. Only shell builtins and no subshell, so that the
# listing starts no process of its own.
processes_list() {
    local -A ppid_of=() start_of=() hit=()
    local dir stat fields pid changed=""
    for dir in /proc/[0-9]*; do
        read -r stat 2>/dev/null <"$dir/stat" || continue
        pid=${dir#/proc/}
        # The name in parentheses may hold spaces: the fields follow its ')'.
        read -r -a fields <<<"${stat##*) }"
        if [ "${fields[0]}" = Z ] || [ "$pid" = $$ ]; then continue; fi
        ppid_of[$pid]=${fields[1]} start_of[$pid]=${fields[19]}
        if [ "$1" = group ] && [ "${fields[2]}" = "$2" ]; then hit[$pid]=1; fi
        if [ "$1" = run ] && { [ "${fields[3]}" = "$2" ] || [ "${fields[1]}" = "$2" ]; }; then
            hit[$pid]=1 changed=1
        fi
    done
    while [ -n "$changed" ]; do
        changed=""
        for pid in "${!ppid_of[@]}"; do
            if [ -z "${hit[$pid]:-}" ] && [ -n "${hit[${ppid_of[$pid]}]:-}" ]; then
                hit[$pid]=1 changed=1
            fi
        done
    done
    processes_found=()
    for pid in "${!hit[@]}"; do processes_found+=("$pid ${start_of[$pid]}"); done
}

# processes_end PID...: TERM, then KILL to those still alive after 3 s.
# Holds under set -e, since it runs in exit traps.
processes_end() {
    local pid stat alive=("$@")
    [ $# -gt 0 ] || return 0
    kill -TERM "$@" 2>/dev/null || true
    for _ in $(seq 30); do
        alive=()
        for pid in "$@"; do
            read -r stat 2>/dev/null <"/proc/$pid/stat" || continue
            stat=${stat##*) }
            if [ "${stat%% *}" != Z ]; then alive+=("$pid"); fi
        done
        [ ${#alive[@]} -gt 0 ] || return 0
        sleep 0.1
    done
    kill -KILL "${alive[@]}" 2>/dev/null || true
}

# Runs a command and waits for it so that a signal to the script acts at
# once: bash holds a trap back until a command in the foreground ends, but
# not a wait.
interruptible() {
    "$@" &
    wait $!
}

# Where `xvfb-run -a` starts looking for a free display. It picks the first
# number without a lock file in /tmp, which two suites starting together may
# both pick, and which a Debian 13 session's private /tmp does not show,
# though the host's server holds the number: a start picked at random keeps
# suites that run side by side apart.
x_display_hint() { echo $((100 + RANDOM % 800)); }

# run_under_x "TOOL..." ARG...: skips the test (status 77) when a tool is
# missing, else runs this script again as `SCRIPT --inside ARG...` under a
# virtual X server and a session bus of its own, ended with the test (without
# one the toolkit has one started that outlives it), and exits with its status.
run_under_x() {
    local tool status=0 tools=$1
    shift
    for tool in xvfb-run dbus-run-session $tools; do
        command -v "$tool" >/dev/null || { echo "missing $tool: skipped"; exit 77; }
    done
    interruptible xvfb-run -a -n "$(x_display_hint)" -s "-screen 0 1024x768x24" \
        dbus-run-session -- "$0" --inside "$@" || status=$?
    exit "$status"
}

if [ "${BASH_SOURCE[0]}" = "$0" ] && [ "${1:-}" = check ]; then
    shift
    if [ -z "${DALMIRO_LEFTOVER_CHECK:-}" ]; then
        export DALMIRO_LEFTOVER_CHECK=1
        # A new session (setsid forks first when this is a group leader), and
        # the subreaper attribute, which lasts across exec, set before this
        # script starts again in it.
        exec setsid -w perl -e 'require "syscall.ph";
            syscall(&SYS_prctl, 36, 1, 0, 0, 0) == 0 or die "PR_SET_CHILD_SUBREAPER: $!\n";
            exec @ARGV or die "exec: $!\n"' -- "$0" check "$@"
    fi
    processes_list run $$
    declare -A before=()
    for line in "${processes_found[@]}"; do before[$line]=1; done
    status=0
    "$@" || status=$?
    # A process may take a moment to end after what ended it.
    for _ in $(seq 20); do
        processes_list run $$
        leftovers=()
        for line in "${processes_found[@]}"; do
            [ -n "${before[$line]:-}" ] || leftovers+=("${line%% *}")
        done
        [ ${#leftovers[@]} -gt 0 ] || exit "$status"
        sleep 0.5
    done
    echo "FAIL: the run left ${#leftovers[@]} processes behind:" >&2
    ps -o pid=,ppid=,sid=,etime=,args= -p "$(IFS=,; echo "${leftovers[*]}")" >&2 || true
    processes_end "${leftovers[@]}"
    exit 1
fi

if [ -z "${DALMIRO_TEST_GROUP:-}" ]; then
    read -r processes_stat </proc/$$/stat
    read -r -a processes_stat <<<"${processes_stat##*) }"
    if [ "${processes_stat[2]}" != $$ ]; then
        exec perl -e 'setpgrp(0, 0) or die "setpgrp: $!\n"; exec @ARGV or die "exec: $!\n"' \
            -- "$0" "$@"
    fi
    export DALMIRO_TEST_GROUP=$$
    processes_end_group() {
        trap '' TERM
        processes_list group $$
        processes_end "${processes_found[@]%% *}"
    }
    # shellcheck disable=SC2154 # assigned in the trap itself
    trap 'status=$?; processes_end_group; ! declare -F test_cleanup >/dev/null || test_cleanup; exit $status' EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
fi

if [ "${BASH_SOURCE[0]}" = "$0" ] && [ "${1:-}" = group ]; then
    shift
    interruptible "$@"
    exit
fi
