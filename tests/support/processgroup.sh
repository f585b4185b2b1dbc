# shellcheck shell=bash
# Sourced at the top of a test script, before anything is started: the
# script then runs as the leader of a process group of its own (same pid,
# same session), and on every way out, an error, a failed check or a signal,
# it ends every process in that group but itself. Everything the script
# starts stays in the group unless it leaves it, so nothing outlives it.
# A script started by another that has sourced this shares that one's group
# and leaves the ending to it.
if [ -z "${DALMIRO_TEST_GROUP:-}" ]; then
    if [ "$(ps -o pgid= -p $$ | tr -d ' ')" != $$ ]; then
        exec perl -e 'setpgrp(0, 0) or die "setpgrp: $!\n"; exec @ARGV or die "exec: $!\n"' \
            -- "$0" "$@"
    fi
    export DALMIRO_TEST_GROUP=$$
    # The group's live members but this shell; pgrep leaves itself out.
    # Written to hold under set -e, since it runs in the exit trap.
    group_members() {
        local pid stat
        members=()
        for pid in $(pgrep -g $$ || true); do
            [ "$pid" != $$ ] || continue
            read -r stat 2>/dev/null <"/proc/$pid/stat" || continue
            stat=${stat##*) }
            [ "${stat%% *}" != Z ] || continue # ended, not yet reaped
            members+=("$pid")
        done
    }
    end_group() {
        trap '' TERM
        group_members
        if [ ${#members[@]} -eq 0 ]; then return 0; fi
        kill -TERM "${members[@]}" 2>/dev/null || true
        for _ in $(seq 30); do
            group_members
            if [ ${#members[@]} -eq 0 ]; then return 0; fi
            sleep 0.1
        done
        kill -KILL "${members[@]}" 2>/dev/null || true
    }
    # A script's own clean-up, if it defines test_cleanup, runs after that.
    # shellcheck disable=SC2154 # assigned in the trap itself
    trap 'status=$?; end_group; ! declare -F test_cleanup >/dev/null || test_cleanup; exit $status' EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
fi
# Runs a command and waits for it so that a signal to the script acts at
# once: bash holds a trap back until a command in the foreground ends, but
# not a wait. Defined in a script that shares another's group too.
interruptible() {
    "$@" &
    wait $!
}
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
    interruptible xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" --inside "$@" ||
        status=$?
    exit "$status"
}
