#!/usr/bin/env bash
# Times modelcheck-batch on the scan researchers run first: D = 1..6 x 20
# box sizes spaced logarithmically from 0.002 to 0.2 (120 checks, Ltest 30,
# Ktest 100) on generated Henon x series of 10^5 and 10^6 values, with one
# job and with every core; prints wall-clock seconds and the speed-up.
# Then the peak memory of a grid of 99 000 cells (99 x 1000 on 10^4 values)
# stopped by Ctrl-C after 25 s, its files written.
# Arguments: the series lengths to time (default: 100000 1000000).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh time
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target modelcheck-batch henon_series_file > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
batch=$(pwd)/build/bin/modelcheck-batch

# Seconds of wall-clock time of one run, to the millisecond.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}

printf '%-9s %6s %12s %12s %9s\n' values cores "1 job (s)" "all jobs (s)" speed-up
for count in "${@:-100000 1000000}"; do
  for n in $count; do
    build/bench/henon_series_file "$n" "$work/henon.txt"
    scan=("$batch" "$work/henon.txt" --dim 1:6 --eps-log 0.002:0.2:20 --ltest 30 --ktest 100 --out "$work/out")
    one=$(seconds "${scan[@]}" --jobs 1)
    all=$(seconds "${scan[@]}")
    speedup=$(awk -v a="$one" -v b="$all" 'BEGIN { printf "%.2f", a / b }')
    printf '%-9s %6s %12s %12s %9s\n' "$n" "$(nproc)" "$one" "$all" "$speedup"
  done
done

# The largest grid, interrupted: its files are written from the cells' figures
# row by row and cell by cell, never held whole as text.
build/bench/henon_series_file 10000 "$work/small.txt"
/usr/bin/time -f "%M" -o "$work/peak.txt" "$batch" "$work/small.txt" --dim 1:99 --eps-log 0.001:0.5:1000 \
  --ltest 10 --ktest 20 --out "$work/large" > /dev/null 2>&1 &
sleep 25
pkill -INT -f "$work/small.txt" || true
wait || true
echo "99000-cell grid interrupted after 25 s: $(grep -c '' "$work/large/cells.jsonl") lines in cells.jsonl," \
  "curves.csv $(( $(stat -c %s "$work/large/curves.csv") / 1000000 )) MB, peak memory $(( $(tail -1 "$work/peak.txt") / 1024 )) MB"
