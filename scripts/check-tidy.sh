#!/usr/bin/env bash
# Runs clang-tidy with the committed .clang-tidy on every source of the
# libraries and the companions, two at a time, against the compile commands
# of a build folder.
# Any finding fails. Usage: scripts/check-tidy.sh [BUILD_FOLDER] (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
libraries=(common model input render check start reference dxf export tools)

git ls-files -co --exclude-standard "${libraries[@]/%//*.cpp}" |
  xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet 2>/dev/null
echo "check-tidy: no findings"
