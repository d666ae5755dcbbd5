# bench/common.sh: helpers of the benchmark scripts (sourced, not run).
# shellcheck shell=bash

# "wall cpu peak" of one command: seconds, user + system seconds, and the
# largest resident set in KiB (GNU time's "Maximum resident set size"), after
# the earlier writes reached the disk. CPU time tells more than wall time on a
# busy machine. Its standard output is dropped.
timed() {
  sync
  /usr/bin/time -f "%e %U %S %M" -o time.out "$@" >/dev/null
  awk '{ printf "%.3f %.3f %d\n", $1, $2 + $3, $4 }' time.out
}

# Median of column $1 of the lines on stdin.
median() {
  awk -v c="$1" '{ print $c }' | sort -g |
    awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.3f\n", m }'
}

ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'
}

sum() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a + b }'
}

# "met" or "missed": whether value $1 satisfies the goal "$2 $3" (<= or <).
goal() {
  awk -v v="$1" -v op="$2" -v g="$3" \
    'BEGIN { ok = (op == "<") ? v < g : v <= g; print ok ? "met" : "missed" }'
}

# "N files, M bytes" below folder $1.
tree_stats() {
  find "$1" -type f -printf '%s\n' |
    awk '{ n++; b += $1 } END { printf "%d files, %d bytes\n", n, b }'
}

machine() {
  echo "machine: $(nproc) cores," \
    "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"
}

# Writes peer.nsi: an NSIS installer (peer-setup.exe) of every file below
# folder $1 for NSIS target $2, compressed with zlib file by file (not solid),
# as our archive is.
nsis_script() {
  cat >peer.nsi <<EOF
Target $2
SetCompressor zlib
RequestExecutionLevel user
; Without it a silent install into E:\\ writes nothing and exits with 0
; (or goes to InstallDir, where the script names one).
AllowRootDirInstall true
Name "peer"
OutFile "peer-setup.exe"
Section
  SetOutPath "\$INSTDIR"
  File /r "$1/*"
SectionEnd
EOF
}
