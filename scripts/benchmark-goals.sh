#!/usr/bin/env bash
# Measures the speed goals of the project beside their targets:
#  1. one check with its baselines through modelcheck-batch and Python at no
#     more than 1.3x the console program's wall time and 1.2x its peak
#     memory, at 10^6 and 10^7 values (scripts/benchmark-front-ends.sh);
#  2. whole console sessions (start, file, answers, one check, picture,
#     exit), best of $SESSIONS (default 5): Henon 10^5 values (D 2, eps 0.01)
#     at no more than 0.018 s, Lorenz 10^5 values (x component, dt 0.05,
#     D 3, eps 0.5) at no more than 0.024 s;
#  3. the 120-cell scan (D 1..6 x 20 eps from 0.002 to 0.2, Ltest 30,
#     Ktest 100) through modelcheck-batch on every core: 10^5 Henon values
#     in no more than 2 s (best of 3), 10^6 in no more than 30 s (one run).
# Prints one line a goal: the target, today's figure, and whether it is met.
# Usage: scripts/benchmark-goals.sh   (RUNS=3 for the front-ends by default;
# FRONT_ENDS_OUTPUT=file takes their figures from that script's output instead)
set -euo pipefail
cd "$(dirname "$0")/.."
sessions=${SESSIONS:-5}

bash scripts/install-deps.sh bc time
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target modelcheck modelcheck-batch henon_series_file lorenz_series_file > /dev/null

root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seconds of wall-clock time of one run of the command, to the 0.1 ms.
seconds() {
  local start end
  start=$(date +%s%N)
  "$@" > /dev/null 2>&1
  end=$(date +%s%N)
  echo "($end - $start) / 1000000000" | bc -l
}
smallest() { sort -g | head -1; }

rows=()
# One goal's line: its name, "<=", the target, today's figure.
goal() {
  local met=no
  (($(echo "$3 <= $2" | bc -l))) && met=yes
  rows+=("$(printf '%-58s <= %-7s %-8s %s' "$1" "$2" "$(printf '%.3f' "$3")" "$met")")
}

if [[ -n ${FRONT_ENDS_OUTPUT:-} ]]; then
  # benchmark.sh has just measured them.
  cp "$FRONT_ENDS_OUTPUT" "$work/front-ends.txt"
else
  echo "1. One check through each front-end (RUNS=${RUNS:=3} runs each):"
  RUNS=$RUNS bash scripts/benchmark-front-ends.sh | tee "$work/front-ends.txt"
fi
for values in 1000000 10000000; do
  for program in batch python; do
    read -r time_ratio memory_ratio < <(awk -v v="$values" -v p="$program" '$1 == v && $2 == p {print $4, $6}' \
      "$work/front-ends.txt")
    goal "$program / console wall time, $values values" 1.3 "$time_ratio"
    goal "$program / console peak memory, $values values" 1.2 "$memory_ratio"
  done
  # Python's process also holds the interpreter and the caller's array.
  read -r beyond_memory beyond_time < <(awk -v v="$values" \
    '$1 == v && /beyond its series array/ {m = $(NF - 3); gsub(/[(]/, "", m)}
     $1 == v && /beyond the interpreter/ {t = $(NF - 3); gsub(/[(]/, "", t)}
     END {print m, t}' "$work/front-ends.txt")
  goal "python beyond the interpreter / console time, $values" 1.3 "$beyond_time"
  goal "python beyond its array / console peak memory, $values" 1.2 "$beyond_memory"
done

echo
echo "2. Whole console sessions on 10^5 values, best of $sessions:"
"$root/build/bench/henon_series_file" 100000 "$work/henon.txt"
"$root/build/bench/lorenz_series_file" 100000 "$work/lorenz.txt"
printf '%s\n' henon.txt 99800 2 0.01 n n n n n > "$work/henon-typed.txt"
printf '%s\n' lorenz.txt 99800 3 0.5 n n n n n > "$work/lorenz-typed.txt"
# The program itself, its answers from a file: no shell's start in the time.
session() {
  local start end
  start=$(date +%s%N)
  (cd "$work" && "$root/build/bin/modelcheck" < "$1" > /dev/null 2>&1)
  end=$(date +%s%N)
  echo "($end - $start) / 1000000000" | bc -l
}
for series in henon lorenz; do
  best=$(for ((run = 1; run <= sessions; ++run)); do session "$series-typed.txt"; done | smallest)
  printf '%-7s %.4f s\n' "$series" "$best"
  [[ $series == henon ]] && goal "Henon 10^5 console session (s)" 0.018 "$best"
  [[ $series == lorenz ]] && goal "Lorenz 10^5 console session (s)" 0.024 "$best"
done

echo
echo "3. The 120-cell scan on $(nproc) cores:"
scan() {
  seconds "$root/build/bin/modelcheck-batch" "$1" --dim 1:6 --eps-log 0.002:0.2:20 --ltest 30 --ktest 100 \
    --out "$work/scan"
}
best=$(for run in 1 2 3; do scan "$work/henon.txt"; done | smallest)
printf '10^5 values: %.2f s\n' "$best"
goal "120-cell scan, 10^5 values, every core (s)" 2 "$best"
"$root/build/bench/henon_series_file" 1000000 "$work/henon-million.txt"
once=$(scan "$work/henon-million.txt")
printf '10^6 values: %.2f s\n' "$once"
goal "120-cell scan, 10^6 values, every core (s)" 30 "$once"

echo
printf '%-58s %-10s %-8s %s\n' goal target today met
printf '%s\n' "${rows[@]}"
