#!/usr/bin/env bash
# Counts the instructions of one whole scripted console session (start,
# series file, answers, one model check, exit) on a generated Henon series:
# Ntrain = values - 200, D = 2, eps = 0.01. Unlike wall time on a shared
# machine, the count moves only when the code does, so it shows what a change
# to the inner loops saves.
# Usage: scripts/count-instructions.sh [values...]   (default 100000 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 0 ] && set -- 100000 1000000

bash scripts/install-deps.sh valgrind
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target modelcheck henon_series_file > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$(pwd)/build/bin/modelcheck
series_file=$(pwd)/build/bench/henon_series_file
cd "$work"
for values in "$@"; do
  "$series_file" "$values" series.txt
  printf '%s\n' series.txt "$((values - 200))" 2 0.01 n n n n n > typed.txt
  count=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$program" < typed.txt 2>&1 > /dev/null |
          sed -n 's/.*Collected : \([0-9]*\).*/\1/p')
  printf 'session on %d values: %d instructions\n' "$values" "$count"
done
