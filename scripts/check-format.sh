#!/usr/bin/env bash
# Checks that every C++ file of the project is laid out as .clang-format
# says; with --fix, lays them out so. Lists the files that differ.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
[ "${1:-}" = "--fix" ] && fix=1
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
if (( fix )); then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=0
for f in "${files[@]}"; do
  if ! clang-format --dry-run --Werror "$f" > /dev/null 2>&1; then
    echo "not formatted: $f"
    bad=1
  fi
done
if (( bad )); then
  echo "Run: bash scripts/check-format.sh --fix"
  exit 1
fi
echo "Every C++ file is formatted."
