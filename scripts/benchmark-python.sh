#!/usr/bin/env bash
# Times the Python module (bench/python_benchmark.py): check() on 10^6
# values against the same check in C++, and scan_many() over 16 series on a
# Dask LocalCluster of one and of two workers.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target modelcheck_python scan_cell_timing > /dev/null
PYTHONPATH="$PWD/build/python" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 bench/python_benchmark.py \
  "$PWD/build/bench/scan_cell_timing"
