#!/usr/bin/env bash
# Regenerates the stored pictures of the example house that the baseline test
# compares against. Run it only when a change to the picture is intended, and
# look at the new pictures before committing them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target kestrelview-render -j"$(nproc)"
out=tests/tools/baseline
"$build/tools/kestrelview-render" --output "$out/house-smooth.png" examples/house
"$build/tools/kestrelview-render" --flat --output "$out/house-flat.png" examples/house
echo "wrote $out/house-smooth.png and $out/house-flat.png"
