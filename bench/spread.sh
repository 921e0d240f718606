# Sourced by the benchmark scripts: spread SAMPLES KEY prints the count, min, median, 90th
# percentile and max of the KEY= lines of the file SAMPLES, in milliseconds.
spread() {
  sed -n "s/^$2=//p" "$1" | sort -g | awk '{v[NR] = $1} END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    p = v[int(0.9 * NR + 0.999)]
    printf "n=%d  min %.2f  median %.2f  p90 %.2f  max %.2f ms\n", NR, v[1], m, p, v[NR] }'
}
