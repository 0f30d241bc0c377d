# shellcheck shell=bash
# Sourced by the scripts that start what outlives a plain exit: servers, emulators, long runs.
# on_exit CMD queues a clean-up, run last queued first however the script ends, an interrupt
# or a termination included; interruptible CMD... runs CMD in a process group of its own, so
# that a signal to the script is acted on at once and ends all that CMD started, and CMD dies
# with the script even if the script is killed outright.
cleanups=()
on_exit() { cleanups=("$1" "${cleanups[@]}"); }
run_cleanups() {
    local cleanup
    for cleanup in "${cleanups[@]}"; do eval "$cleanup" || true; done
}
trap run_cleanups EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# TERM first, so that the group's programs end their own children; KILL after three seconds.
stop_group() {
    local _
    kill -TERM -- "-$1" 2>/dev/null || return 0
    for _ in $(seq 30); do
        kill -0 -- "-$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL -- "-$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

interruptible() {
    setsid setpriv --pdeathsig KILL "$@" &
    local group=$! code=0
    on_exit "stop_group $group"
    wait "$group" || code=$?
    return "$code"
}
