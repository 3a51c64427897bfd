#!/usr/bin/env bash
# Checks the layout of the C++ files, builds everything and runs every test:
# once in the shipped configuration, once under AddressSanitizer and
# UndefinedBehaviorSanitizer; then fuzzes the input readers for a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs=$(nproc)

# Layout first: it takes a second and says at once what to run.
bash scripts/check-format.sh

cmake -S . -B build -DMODELCHECK_BUILD_TESTS=ON -DMODELCHECK_BUILD_BENCHMARKS=ON -DMODELCHECK_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -DMODELCHECK_BUILD_TESTS=ON -DMODELCHECK_SANITIZE=ON -DMODELCHECK_WERROR=ON \
  -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# The readers of user input under libFuzzer, a minute each.
bash scripts/fuzz.sh
