#!/usr/bin/env bash
# One model check through each front-end, as whole processes on the same
# series file (Henon, D = 2, Ntrain = values - 200, Ltest 30, Ktest 100;
# eps 0.01 at 10^6 values, 0.003 at 10^7): the console program (a scripted
# session), modelcheck-batch and Python's modelcheck.check, both with their
# baselines. Prints the median wall time of $RUNS runs (default 5) and the
# peak memory of each, both also as a ratio to the console's, and the peak
# memory of the Python check beyond its series array (a process that only
# reads the series is the reference) and its time beyond the interpreter's
# start-up (a process that only imports modelcheck).
# Usage: scripts/benchmark-front-ends.sh [values...]   (default 1000000 10000000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
sizes=("$@")
[[ ${#sizes[@]} -gt 0 ]] || sizes=(1000000 10000000)

bash scripts/install-deps.sh bc time
cmake -S . -B build -DMODELCHECK_BUILD_BENCHMARKS=ON > /dev/null
cmake --build build -j "$(nproc)" --target modelcheck modelcheck-batch modelcheck_python henon_series_file > /dev/null

root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python=(env PYTHONPATH="$root/build/python" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$root/bench/python_one_check.py")

# "seconds kilobytes" of one run of the command.
measure() {
  /usr/bin/time -o "$work/time" -f '%e %M' "$@" > /dev/null 2>&1 < "${INPUT:-/dev/null}"
  cat "$work/time"
}

median() { sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# The programs run in turn, run after run, so that the machine's drift
# reaches them alike; each one's median seconds and largest peak kilobytes.
declare -A seconds peak
run_all() {
  local name s kb
  for name in "${!commands[@]}"; do seconds[$name]=""; peak[$name]=0; done
  for ((run = 1; run <= runs; ++run)); do
    for name in console batch python loaded started; do
      if [[ $name == console ]]; then
        read -r s kb < <(cd "$work" && INPUT="$work/typed.txt" measure ${commands[$name]})
      else
        read -r s kb < <(measure ${commands[$name]})
      fi
      seconds[$name]+="$s "
      ((kb > peak[$name])) && peak[$name]=$kb
    done
  done
  for name in "${!commands[@]}"; do seconds[$name]=$(printf '%s\n' ${seconds[$name]} | median); done
}

printf '%-9s %-8s %9s %7s %10s %7s\n' values program seconds ratio "peak MB" ratio
for values in "${sizes[@]}"; do
  eps=0.01
  ((values >= 10000000)) && eps=0.003
  series="$work/henon-$values.txt"
  "$root/build/bench/henon_series_file" "$values" "$series"
  printf '%s\n' "$series" "$((values - 200))" 2 "$eps" n n n n n > "$work/typed.txt"
  declare -A commands=(
    [console]="$root/build/bin/modelcheck"
    [batch]="$root/build/bin/modelcheck-batch $series --ntrain $((values - 200)) --dim 2 --eps $eps --format json --out $work/batch"
    [python]="${python[*]} $series 2 $eps"
    [loaded]="${python[*]} $series 2 $eps --load-only"
    [started]="${python[*]} --start-only")
  run_all
  console_s=${seconds[console]} console_kb=${peak[console]}
  batch_s=${seconds[batch]} batch_kb=${peak[batch]}
  python_s=${seconds[python]} python_kb=${peak[python]}
  loaded_kb=${peak[loaded]} started_s=${seconds[started]}
  for row in "console $console_s $console_kb" "batch $batch_s $batch_kb" "python $python_s $python_kb"; do
    read -r name s kb <<< "$row"
    printf '%-9s %-8s %9.3f %7.2f %10.1f %7.2f\n' "$values" "$name" "$s" "$(echo "$s / $console_s" | bc -l)" \
      "$(echo "$kb / 1024" | bc -l)" "$(echo "$kb / $console_kb" | bc -l)"
  done
  printf '%-9s python beyond its series array: %.1f MB, %.1f bytes per value (%.2f of the console)\n' "$values" \
    "$(echo "($python_kb - $loaded_kb) / 1024" | bc -l)" "$(echo "($python_kb - $loaded_kb) * 1024 / $values" | bc -l)" \
    "$(echo "($python_kb - $loaded_kb) / $console_kb" | bc -l)"
  printf '%-9s python beyond the interpreter start-up (%.3f s): %.3f s (%.2f of the console)\n' "$values" "$started_s" \
    "$(echo "$python_s - $started_s" | bc -l)" "$(echo "($python_s - $started_s) / $console_s" | bc -l)"
done
