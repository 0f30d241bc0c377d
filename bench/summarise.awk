# Reads two files of runs, ours then the floor's, one run a line: wall ms, CPU ms, peak KiB.
# Prints each measure's medians, spread and ratio ours/floor.
FNR == 1 { file++ }
{
    for (column = 1; column <= 3; column++) value[file, column, FNR] = $column
    runs[file] = FNR
}

# Sorts the values of one file's column into sorted[1..n]; returns n.
function sortColumn(f, column,    n, i, j, key) {
    n = runs[f]
    for (i = 1; i <= n; i++) sorted[i] = value[f, column, i]
    for (i = 2; i <= n; i++) {
        key = sorted[i]
        for (j = i - 1; j >= 1 && sorted[j] > key; j--) sorted[j + 1] = sorted[j]
        sorted[j + 1] = key
    }
    return n
}

function summary(f, column, unit,    n, median, format) {
    n = sortColumn(f, column)
    median = n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
    medians[f] = median
    format = unit == "KiB" ? "%8.0f %-3s (%.0f..%.0f)" : "%8.1f %-3s (%.1f..%.1f)"
    return sprintf(format, median, unit, sorted[1], sorted[n])
}

END {
    split("wall time|CPU time|peak RSS", names, "|")
    split("ms|ms|KiB", units, "|")
    for (column = 1; column <= 3; column++) {
        ours = summary(1, column, units[column])
        floor = summary(2, column, units[column])
        printf "  %-9s  ours %-32s floor %-32s ratio %.2f\n", names[column], ours, floor,
            medians[1] / medians[2]
    }
}
