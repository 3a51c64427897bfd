#!/usr/bin/env bash
# Installs a build tree into a scratch prefix, builds the check-series
# example against the installed package as an outside project would, and
# runs it on the Henon series: the figures must be those of the interactive
# program for the same settings (Ntrain 2000, D 2, eps 0.05).
#
# Usage: build-example.sh SOURCE_DIR BUILD_DIR CONFIG CMAKE CXX_COMPILER GENERATOR
set -euo pipefail

source_dir=$(realpath "$1")
build_dir=$(realpath "$2")
config=$3
cmake=$4
cxx=$5
generator=$6
example_dir=$source_dir/examples/check-series
series=$source_dir/examples/henon.txt

# Only the scratch prefix may satisfy find_package, whatever the caller's
# environment points at.
unset modelcheck_DIR modelcheck_ROOT MODELCHECK_ROOT CMAKE_PREFIX_PATH

scratch=$(mktemp -d "${TMPDIR:-/tmp}/modelcheck-install-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake" --install "$build_dir" --config "$config" --prefix "$prefix" >"$scratch/install.log" \
  || { cat "$scratch/install.log"; fail "cmake --install"; }

# A package that still points into the source or build tree works here but
# nowhere else.
if grep -rlF -e "$source_dir" -e "$build_dir" "$prefix"/lib*/cmake/modelcheck; then
  fail "the installed package refers to the source or build tree (files above)"
fi

# Same compiler and generator as the installed libraries: a sanitizer build's
# archives need that compiler's runtimes. No package registry either.
"$cmake" -S "$example_dir" -B "$scratch/build" -G "$generator" \
  -DCMAKE_BUILD_TYPE="$config" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$scratch/configure.log" 2>&1 \
  || { cat "$scratch/configure.log"; fail "configuring the example"; }
found=$(sed -n 's/^modelcheck_DIR:PATH=//p' "$scratch/build/CMakeCache.txt")
[[ "$found" == "$prefix"/* ]] || fail "the example found modelcheck in '$found', not in the scratch prefix"

"$cmake" --build "$scratch/build" --config "$config" >"$scratch/build.log" 2>&1 \
  || { cat "$scratch/build.log"; fail "building the example"; }

program=$(find "$scratch/build" -type f -name check-series -perm -u+x | head -n 1)
[[ -n "$program" ]] || fail "the example build left no check-series program"

status=0
output=$("$program" "$series" 2000 2 0.05) || status=$?
echo "$output"
((status == 0)) || fail "check-series exited with status $status"

expect_line() {
  grep -qxF -- "$1" <<<"$output" || fail "no line \"$1\" in the output"
}
expect_line "one-step error: 0.14633 %"
expect_line "iterative prediction time: 7"
expect_line "direct prediction time: 3"
# One row per horizon, Ltest = 30 by default.
rows=$(grep -cE '^ +[0-9]+ +[0-9.]+ +[0-9.]+$' <<<"$output" || true)
((rows == 30)) || fail "$rows error rows, expected 30"

# Bad input is the caller's mistake: one message naming it, status 1, no
# figures, not a crash. Settings that do not fit the series, then an
# argument that is not a number.
bad_input() {
  local expected=$1 status=0
  shift
  "$program" "$@" >"$scratch/bad.out" 2>"$scratch/bad.err" || status=$?
  ((status == 1)) || { cat "$scratch/bad.err"; fail "check-series $*: status $status, expected 1"; }
  [[ ! -s "$scratch/bad.out" ]] || fail "check-series $*: printed figures"
  grep -qF -- "$expected" "$scratch/bad.err" \
    || { cat "$scratch/bad.err"; fail "check-series $*: no \"$expected\" in the message"; }
}
bad_input "outside its range" "$series" 2990 2 0.05
bad_input "D is not an integer" "$series" 2000 2x 0.05
bad_input "cannot open" "$scratch/no-such-series.txt" 2000 2 0.05
