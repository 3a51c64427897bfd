#!/usr/bin/env bash
# Installs the package with pip into a fresh virtual environment (offline,
# with the system's packages visible) from the CMake build folder given, and
# imports it from outside the checkout: its version must be the project's.
# Usage: install-package.sh <source dir> <build dir> <project version> <python>
set -euo pipefail
source_dir=$1 build_dir=$2 version=$3 python=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$python" -m venv --system-site-packages "$work/venv"
(cd "$source_dir" && MODELCHECK_BUILD_DIR="$build_dir" PIP_NO_INDEX=1 PIP_DISABLE_PIP_VERSION_CHECK=1 \
  "$work/venv/bin/python" -m pip install --no-build-isolation -q .)
cd "$work"
"$work/venv/bin/python" - "$version" <<'PY'
import importlib.metadata
import pathlib
import sys

import numpy as np

import modelcheck

where = pathlib.Path(modelcheck.__file__).resolve()
assert "site-packages" in where.parts, where
assert modelcheck.__version__ == importlib.metadata.version("modelcheck") == sys.argv[1], modelcheck.__version__
assert (where.parent / "py.typed").exists() and (where.parent / "_core.pyi").exists()
x = np.sin(np.arange(3000) * 0.3)
print("installed", modelcheck.__version__, "at", where.parent, modelcheck.check(x, 2800, 2, 0.05).status)
PY
