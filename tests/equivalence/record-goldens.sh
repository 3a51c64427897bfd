#!/usr/bin/env bash
# Records the goldens of every equivalence case from BINARY.
#
# Run it only with the console program as it was BEFORE a change (for
# example a build of the commit the change starts from): the goldens are
# what compare.sh holds every later build to, and this is how they were made.
#
# Usage: record-goldens.sh BINARY [DATA_DIR [CASE...]]
#   DATA_DIR defaults to tests/data/equivalence; without CASE every folder
#   holding an answers.txt is recorded. The series files come from
#   make_series.py and are not touched here.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "$1")
data=$(realpath "${2:-$here/../data/equivalence}")
shift $(($# < 2 ? $# : 2))

if [[ ! -x "$binary" ]]; then
  echo "record-goldens: $binary is not an executable" >&2
  exit 2
fi

cases=("$@")
if ((${#cases[@]} == 0)); then
  for answers in "$data"/*/answers.txt; do cases+=("$(basename "$(dirname "$answers")")"); done
fi

goldens=(stdout.txt status.txt report.txt neighbors.txt model-efficiency.png)

# The labels in the pictures are drawn with whatever face fontconfig gives
# for the plot font; kept so that compare.sh can tell a different face
# from a different program.
plot_face() {
  if command -v fc-match >/dev/null; then
    fc-match -f '%{file}\n' 'Arial:slant=100:weight=80:scalable=true:pixelsize=14'
  else
    echo "unknown (no fc-match)"
  fi
}
plot_face >"$data/plot-face.txt"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/modelcheck-record-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

for name in "${cases[@]}"; do
  case_dir=$data/$name
  "$here/run-case.sh" "$binary" "$case_dir" "$scratch/$name"
  # A golden the program no longer writes must not linger from an earlier recording.
  for file in "${goldens[@]}"; do
    rm -f "$case_dir/$file"
    if [[ -e "$scratch/$name/$file" ]]; then cp "$scratch/$name/$file" "$case_dir/$file"; fi
  done
  if [[ -s "$scratch/$name/stderr.txt" ]]; then
    echo "record-goldens: $name wrote to standard error:" >&2
    cat "$scratch/$name/stderr.txt" >&2
  fi
  printf '%-20s status %s, %s\n' "$name" "$(cat "$case_dir/status.txt")" \
    "$(cd "$case_dir" && ls report.txt neighbors.txt model-efficiency.png 2>/dev/null | tr '\n' ' ')"
done
