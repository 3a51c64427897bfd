#!/usr/bin/env bash
# The surrogate test's cost: 99 IAAFT surrogates of a 10^5-value Henon
# series, each checked once (D 2, eps 0.01, Ltest 30, Ktest 100) through
# modelcheck-batch on every core. Prints the wall time (best of
# $REPETITIONS, default 3) and the share of the thread time spent making the
# surrogates rather than checking them.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build > /dev/null
cmake --build build -j "$(nproc)" --target modelcheck-batch henon_series_file > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bench/henon_series_file 100000 "$work/series.txt"
best=""
for _ in $(seq "${REPETITIONS:-3}"); do
  start=$(date +%s.%N)
  build/bin/modelcheck-batch "$work/series.txt" --dim 2 --eps 0.01 --surrogates 99 --no-baselines \
    --format json --out "$work/out" > "$work/summary.txt" 2> "$work/errors.txt"
  end=$(date +%s.%N)
  wall=$(echo "$end - $start" | bc)
  if [ -z "$best" ] || [ "$(echo "$wall < $best" | bc)" -eq 1 ]; then
    best=$wall
    timing=$(grep "surrogates:" "$work/errors.txt")
  fi
done
making=$(echo "$timing" | sed -E 's/.*: ([0-9.]+) s making.*/\1/')
checking=$(echo "$timing" | sed -E 's/.* ([0-9.]+) s checking.*/\1/')
share=$(echo "scale=1; 100 * $making / ($making + $checking)" | bc)
printf "99 surrogates of 10^5 values, one check each, %s cores: %.1f s wall (best of %s); %s %% of the thread time making surrogates\n" \
  "$(nproc)" "$best" "${REPETITIONS:-3}" "$share"
grep "^Surrogates" "$work/summary.txt"
