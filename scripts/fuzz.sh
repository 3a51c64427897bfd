#!/usr/bin/env bash
# Builds the libFuzzer targets of the input readers with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs each for FUZZ_SECONDS (default 60)
# from its seed corpus in fuzz/corpus/. New inputs go to a scratch copy, so
# the checked-in corpus stays as it is; a crash leaves its input in
# build-fuzz/ and fails the script. Run longer with e.g. FUZZ_SECONDS=3600.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh clang
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DMODELCHECK_BUILD_FUZZERS=ON -DMODELCHECK_SANITIZE=ON -DMODELCHECK_WERROR=ON \
  -DMODELCHECK_BUILD_TESTS=OFF -DMODELCHECK_BUILD_DESKTOP=OFF -DMODELCHECK_INSTALL=OFF > /dev/null
cmake --build build-fuzz -j "$(nproc)" --target series_reader_fuzzer answer_field_fuzzer table_reader_fuzzer

seconds=${FUZZ_SECONDS:-60}
for target in series_reader_fuzzer answer_field_fuzzer table_reader_fuzzer; do
  corpus=$(mktemp -d)
  cp fuzz/corpus/"$target"/* "$corpus"/
  echo "Fuzzing $target for $seconds s"
  log=$(mktemp)
  if ! (cd build-fuzz && "./fuzz/$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        "$corpus") > "$log" 2>&1; then
    tail -n 60 "$log"
    rm -rf "$corpus" "$log"
    echo "$target found a failure; its input is in build-fuzz/"
    exit 1
  fi
  tail -n 4 "$log"
  rm -rf "$corpus" "$log"
done
echo "No failure found."
