# shellcheck shell=bash
# Sourced after interruptible.sh. start_display [WxHxD] starts a virtual X display for this
# script alone and sets DISPLAY to it: Xvfb picks a free display itself and tells which
# (-displayfd), so that runs side by side never race for one. wait_for_window SECONDS PID waits
# for Talvex's window on it, while the program of PID, a child of this script, runs; it sets
# `outcome` to what it saw and fails if no window came.

start_display() {
    local told
    told=$(mktemp)
    setpriv --pdeathsig KILL Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp \
        3>"$told" >"$told.log" 2>&1 &
    local server=$!
    on_exit "kill $server 2>/dev/null && wait $server; rm -f '$told' '$told.log'"
    until grep -q . "$told"; do
        if ! kill -0 "$server" 2>/dev/null; then
            echo "Xvfb did not start: $(tail -n 3 "$told.log")" >&2
            return 1
        fi
        sleep 0.1
    done
    export DISPLAY=:$(cat "$told")
}

wait_for_window() {
    local seconds=$1 pid=$2 window code=0 _
    for _ in $(seq "$seconds"); do
        if window=$(LC_ALL=C.UTF-8 xwininfo -root -children 2>/dev/null | grep -F 'PIN код'); then
            outcome="window shown:$(sed 's/^ *0x[0-9a-f]*//' <<<"$window")"
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" || code=$?
            outcome="failed: ended with exit code $code and no window"
            return 1
        fi
        sleep 1
    done
    outcome="failed: no window in $((seconds / 60)) minutes"
    return 1
}
