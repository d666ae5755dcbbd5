# Helpers shared by the benchmark scripts (sourced, not run).

# "wall cpu" seconds of one command, after the earlier writes reached the disk.
# CPU time (user + system) tells more than wall time on a busy machine.
timed() {
  sync
  /usr/bin/time -f "%e %U %S" -o time.out "$@" >/dev/null
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' time.out
}

# Median of column $1 of the lines on stdin.
median() {
  awk -v c="$1" '{ print $c }' | sort -g |
    awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.3f\n", m }'
}

ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'
}

machine() {
  echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
}
