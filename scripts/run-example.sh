#!/usr/bin/env bash
# Builds the tool and runs one scripted session on the bundled example series
# (the x component of the Henon map). The results land in example-run/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j "$(nproc)" --target modelcheck

mkdir -p example-run
cd example-run
../build/bin/modelcheck < ../examples/henon-session.txt
echo
echo "Results in $(pwd): report.txt, neighbors.txt, model-efficiency.png"
