#!/usr/bin/env bash
# Builds the shipped configuration with the benchmarks and measures:
#  1. each step of one model check, and the whole check with its picture
#     written, on generated Henon series of 10^4 to 10^7 values (D = 2,
#     Ltest = 30, Ktest = 100, eps = 0.01, and 0.003 at 10^7), and reading a
#     series file (count and training load) in MB/s: the median of
#     $REPETITIONS runs (default 5), also written to build/benchmark.csv;
#  2. whole scripted sessions of the console program on 10^6 values
#     (scripts/benchmark-session.sh);
#  3. the peak memory of one whole model check on 10^7 values;
#  4. one check with its baselines through each front-end (console, batch,
#     Python) on 10^6 and 10^7 values, time and memory beside the console's
#     (scripts/benchmark-front-ends.sh);
#  5. 99 surrogates of a 10^5-value series, each checked once
#     (scripts/benchmark-surrogates.sh);
#  6. the speed goals beside their targets (scripts/benchmark-goals.sh);
# and draws build/benchmark-growth.png, time against series length.
# Extra arguments go to the benchmark program (e.g. --benchmark_filter=Whole).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh bc time
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target model_check_benchmark model_check_memory henon_series_file \
  growth_plot modelcheck

build/bench/model_check_benchmark --benchmark_repetitions="${REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_out="$PWD/build/benchmark.csv" \
  --benchmark_out_format=csv "$@"
build/bench/growth_plot build/benchmark.csv build/benchmark-growth.png
echo "Growth picture: build/benchmark-growth.png"

echo
bash scripts/benchmark-session.sh

echo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bench/henon_series_file 10000000 "$work/series.txt"
program=$(pwd)/build/bench/model_check_memory
(cd "$work" && "$program" series.txt 0.003)

echo
bash scripts/benchmark-front-ends.sh | tee "$work/front-ends.txt"

echo
bash scripts/benchmark-surrogates.sh

echo
FRONT_ENDS_OUTPUT="$work/front-ends.txt" bash scripts/benchmark-goals.sh
