#!/usr/bin/env bash
# Builds the shipped configuration with the benchmarks and times one model
# check, step by step, on generated series of 10^4, 10^5 and 10^6 values.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON
cmake --build build -j "$(nproc)" --target model_check_benchmark
build/bench/model_check_benchmark "$@"
