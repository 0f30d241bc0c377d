# Shared by the start-up scripts, which source it: runs two programs alternately and summarises
# the runs. Needs the run-timed tool of the bench preset (build/bench/bench/run-timed).
timer=build/bench/bench/run-timed

# measure_pair TITLE RUNS OURS-COMMAND -- FLOOR-COMMAND: after one warm-up run of each, runs the
# two alternately RUNS times each and prints, for wall-clock time to exit, CPU time and peak
# resident memory, the medians of each, their ratio ours/floor and the spread (min..max).
measure_pair() {
    local title=$1 runs=$2
    shift 2
    local ours=() floor=()
    while [ "$1" != -- ]; do
        ours+=("$1")
        shift
    done
    shift
    floor=("$@")
    local results
    results=$(mktemp -d)
    "$timer" "${ours[@]}" >/dev/null
    "$timer" "${floor[@]}" >/dev/null
    for ((i = 0; i < runs; i++)); do
        "$timer" "${ours[@]}" >>"$results/ours"
        "$timer" "${floor[@]}" >>"$results/floor"
    done
    printf '%s: %d runs each after a warm-up, alternating; median (min..max)\n' "$title" "$runs"
    awk -f bench/summarise.awk "$results/ours" "$results/floor"
    rm -r "$results"
}
