#!/usr/bin/env bash
# Installs what is missing, builds, and shows the bundled example house: a
# summary of its model, and its picture written to house.bmp in the folder
# this script was started from.
set -euo pipefail
start_folder=$PWD
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DKV_WERROR=ON
cmake --build build -j"$(nproc)"
build/tools/kestrelview-render --output "$start_folder/house.bmp" examples/house
echo "picture: $start_folder/house.bmp"
