#!/usr/bin/env bash
# Runs one equivalence case: BINARY reads the case's answers.txt on standard
# input in a fresh working directory holding copies of its series files.
# Usage: run-case.sh BINARY CASE_DIR OUT_DIR
# OUT_DIR (created, must not exist) receives stdout.txt, stderr.txt,
# status.txt and whichever of report.txt, neighbors.txt and
# model-efficiency.png the program left.
set -euo pipefail

binary=$1
case_dir=$2
out_dir=$3

# Output files the program may write into its working directory.
outputs=(report.txt neighbors.txt model-efficiency.png)

work=$(mktemp -d "${TMPDIR:-/tmp}/modelcheck-equivalence-XXXXXX")
trap 'rm -rf "$work"' EXIT

cp "$case_dir"/series*.txt "$work"/
mkdir "$out_dir"

status=0
# timeout turns a program waiting for ever into a failure (status 124).
(cd "$work" && exec timeout 120 "$binary") <"$case_dir/answers.txt" \
  >"$out_dir/stdout.txt" 2>"$out_dir/stderr.txt" || status=$?
echo "$status" >"$out_dir/status.txt"

for name in "${outputs[@]}"; do
  if [[ -e "$work/$name" ]]; then cp "$work/$name" "$out_dir/$name"; fi
done
