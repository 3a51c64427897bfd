#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the plot text need,
# only those that are missing, and any packages named as arguments (the
# scripts that need more tools name them). Needs root (or sudo) when
# something is missing.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev libpng-dev
          libfreetype-dev libfontconfig1-dev libcairo2-dev fontconfig fonts-liberation
          libcli11-dev nlohmann-json3-dev libfast-float-dev zlib1g-dev libzstd-dev zstd qt6-base-dev clang-format
          pybind11-dev python3-dev python3-numpy python3-pandas python3-distributed python3-pytest python3-tqdm python3-mypy
          python3-setuptools python3-venv libssl-dev libfftw3-dev "$@")
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing missing Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
