#!/usr/bin/env bash
# Checks the layout of the C++ files, builds everything and runs every test:
# once in the shipped configuration, once under AddressSanitizer and
# UndefinedBehaviorSanitizer; runs the engine's and the scan's tests, which
# compute on several threads at once, under ThreadSanitizer; then fuzzes the
# input readers for a minute each.
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

# Data races: only the libraries that compute on threads, to keep CI short.
cmake -S . -B build-tsan -DMODELCHECK_BUILD_TESTS=ON -DMODELCHECK_THREAD_SANITIZE=ON -DMODELCHECK_WERROR=ON \
  -DMODELCHECK_BUILD_DESKTOP=OFF
cmake --build build-tsan -j "$jobs" --target engine_tests scan_tests
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/engine/engine_tests
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/scan/scan_tests

# The readers of user input under libFuzzer, a minute each.
bash scripts/fuzz.sh
