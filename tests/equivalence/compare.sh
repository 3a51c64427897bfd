#!/usr/bin/env bash
# Runs BINARY on equivalence cases and compares everything the user sees
# with the goldens recorded by record-goldens.sh: standard output, exit
# status, report.txt, neighbors.txt and model-efficiency.png, byte for byte.
# A file the golden run did not leave must not appear either.
#
# Usage: compare.sh BINARY DATA_DIR [CASE...]   (no CASE: every case)
# Exit status 0 when every case matches, 1 otherwise.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "$1")
data=$(realpath "$2")
shift 2

if [[ ! -x "$binary" || -d "$binary" ]]; then
  echo "FAIL: $binary is not an executable program"
  exit 1
fi

cases=("$@")
if ((${#cases[@]} == 0)); then
  for answers in "$data"/*/answers.txt; do cases+=("$(basename "$(dirname "$answers")")"); done
fi

# In the order they are checked: the first mismatch is shown in full.
goldens=(status.txt stdout.txt report.txt neighbors.txt model-efficiency.png)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/modelcheck-compare-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Shows how expected and actual differ; text as a unified diff.
show_difference() {
  local expected=$1 actual=$2 file=$3
  if [[ ! -e "$expected" ]]; then
    echo "  the program wrote $file, the golden run did not"
  elif [[ ! -e "$actual" ]]; then
    echo "  the program did not write $file"
  elif [[ "$file" == *.png ]]; then
    echo "  pictures differ: expected $(stat -c %s "$expected") bytes, got $(stat -c %s "$actual") bytes"
    cmp "$expected" "$actual" | sed 's/^/  /' || true
    local recorded current
    recorded=$(cat "$data/plot-face.txt" 2>/dev/null || echo unknown)
    current=$(fc-match -f '%{file}\n' 'Arial:slant=100:weight=80:scalable=true:pixelsize=14' 2>/dev/null || echo unknown)
    if [[ "$recorded" != "$current" ]]; then
      echo "  the goldens were drawn with the face $recorded, this machine gives $current"
      echo "  (install fonts-liberation, as scripts/install-deps.sh does)"
    fi
  else
    diff -u --label "expected $file" --label "actual $file" "$expected" "$actual" | head -n 60 | sed 's/^/  /' || true
  fi
}

failed=0
for name in "${cases[@]}"; do
  case_dir=$data/$name
  if [[ ! -f "$case_dir/answers.txt" || ! -f "$case_dir/status.txt" ]]; then
    echo "FAIL $name: no such case, or its goldens were never recorded ($case_dir)"
    failed=1
    continue
  fi
  out=$scratch/$name
  "$here/run-case.sh" "$binary" "$case_dir" "$out"
  mismatches=()
  for file in "${goldens[@]}"; do
    if [[ -e "$case_dir/$file" || -e "$out/$file" ]]; then
      if ! cmp -s "$case_dir/$file" "$out/$file" 2>/dev/null; then mismatches+=("$file"); fi
    fi
  done
  if ((${#mismatches[@]} == 0)); then
    echo "ok   $name"
    continue
  fi
  failed=1
  echo "FAIL $name: ${mismatches[*]} differ"
  show_difference "$case_dir/${mismatches[0]}" "$out/${mismatches[0]}" "${mismatches[0]}"
  if [[ -s "$out/stderr.txt" ]]; then
    echo "  standard error of the run:"
    head -n 40 "$out/stderr.txt" | sed 's/^/  /'
  fi
done
exit "$failed"
