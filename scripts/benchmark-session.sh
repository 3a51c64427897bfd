#!/usr/bin/env bash
# Times whole scripted sessions of the console program (start, series file,
# answers, one model check, exit) on a generated Henon series of 10^6 values:
# Ntrain = 10^6 - 200, D = 2, eps = 0.01, Ltest = 30, Ktest = 100. Prints the
# wall time of each run, their median, and the peak memory of one run.
# Usage: scripts/benchmark-session.sh [runs] [values]   (defaults 7, 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
values=${2:-1000000}
eps=${EPS:-0.01}

bash scripts/install-deps.sh bc time
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target modelcheck henon_series_file > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bench/henon_series_file "$values" "$work/series.txt"
printf '%s\n' "$work/series.txt" "$((values - 200))" 2 "$eps" n n n n n > "$work/typed.txt"
program=$(pwd)/build/bin/modelcheck
cd "$work"

times=()
for ((run = 1; run <= runs; ++run)); do
  start=$(date +%s.%N)
  "$program" < typed.txt > transcript.txt
  end=$(date +%s.%N)
  times+=("$(echo "$end - $start" | bc -l)")
  printf 'run %d: %.3f s\n' "$run" "${times[-1]}"
done
median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
printf 'median of %d sessions on %d values: %.3f s\n' "$runs" "$values" "$median"

rss_kb=$(/usr/bin/time -f '%M' "$program" < typed.txt 2>&1 > /dev/null | tail -1)
printf 'peak memory: %d kB, %.1f bytes per value\n' "$rss_kb" "$(echo "$rss_kb * 1024 / $values" | bc -l)"
