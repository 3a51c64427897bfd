#!/usr/bin/env bash
# Builds another project's shared library with the engine inside it, twice:
# against this build's installed package, and from the source tree with
# add_subdirectory. The drawing, desktop, batch and Python dependencies are
# disabled, so a lookup of any of them fails the build: the engine must need
# only the C++ library and threads.
#
# Usage: embed-shared-library.sh SOURCE_DIR BUILD_DIR CONFIG CMAKE CXX_COMPILER GENERATOR
set -euo pipefail

source_dir=$(realpath "$1")
build_dir=$(realpath "$2")
config=$3
cmake=$4
cxx=$5
generator=$6
project=$source_dir/tests/install/embed

unset modelcheck_DIR modelcheck_ROOT MODELCHECK_ROOT CMAKE_PREFIX_PATH
scratch=$(mktemp -d "${TMPDIR:-/tmp}/modelcheck-embed-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

no_optional_packages=(
  -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON -DCMAKE_DISABLE_FIND_PACKAGE_PkgConfig=ON
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_DISABLE_FIND_PACKAGE_CLI11=ON
  -DCMAKE_DISABLE_FIND_PACKAGE_nlohmann_json=ON -DCMAKE_DISABLE_FIND_PACKAGE_pybind11=ON
  -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON -DCMAKE_DISABLE_FIND_PACKAGE_ZLIB=ON
  -DCMAKE_DISABLE_FIND_PACKAGE_zstd=ON -DCMAKE_DISABLE_FIND_PACKAGE_FastFloat=ON
)

# way: "installed" or "subproject"; extra arguments go to the configure step.
build_and_run() {
  local way=$1
  shift
  "$cmake" -S "$project" -B "$scratch/$way" -G "$generator" -DCMAKE_BUILD_TYPE="$config" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF "${no_optional_packages[@]}" "$@" \
    >"$scratch/$way-configure.log" 2>&1 || { cat "$scratch/$way-configure.log"; fail "configuring ($way)"; }
  "$cmake" --build "$scratch/$way" >"$scratch/$way-build.log" 2>&1 \
    || { cat "$scratch/$way-build.log"; fail "building the shared library ($way)"; }
  local program
  program=$(find "$scratch/$way" -type f -name use-embedded -perm -u+x | head -n 1)
  [[ -n "$program" ]] || fail "no use-embedded program ($way)"
  "$program" || fail "use-embedded failed ($way)"
}

"$cmake" --install "$build_dir" --config "$config" --prefix "$scratch/prefix" >"$scratch/install.log" \
  || { cat "$scratch/install.log"; fail "cmake --install"; }
build_and_run installed -DCMAKE_PREFIX_PATH="$scratch/prefix"
build_and_run subproject -DMODELCHECK_SOURCE_DIR="$source_dir"
