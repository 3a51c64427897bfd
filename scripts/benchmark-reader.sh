#!/usr/bin/env bash
# The series reader's speed and memory on 10^7 Henon values: the plain reader
# on "%.17g" lines (the goal: at least 400 MB/s), the fixed reader on the
# interactive program's records, the plain reader on the gzip file beside
# zlib inflating it alone, and the peak memory of each read against the
# values' own 80 MB. COUNT=... for another size.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target series_reading henon_series_file

count=${COUNT:-10000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bench/series_reading write "$count" "$work/plain17g.txt"
build/bench/henon_series_file "$count" "$work/fixed.txt"
gzip -k -6 "$work/plain17g.txt"
# Written back to disk first, so that no read below shares the machine with that.
sync
# Each read in its own process, so each peak memory is its own.
build/bench/series_reading read "$work/plain17g.txt" plain
build/bench/series_reading read "$work/fixed.txt" fixed
build/bench/series_reading read "$work/fixed.txt" plain
build/bench/series_reading read "$work/plain17g.txt.gz" plain 3
build/bench/series_reading inflate "$work/plain17g.txt.gz" 3
