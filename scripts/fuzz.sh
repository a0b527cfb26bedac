#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for the given number
# of seconds (default 5) from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKV_FUZZ=ON -DKV_WERROR=ON
cmake --build build-fuzz -j"$(nproc)"
for harness in build-fuzz/fuzz/fuzz_*; do
  [ -x "$harness" ] || continue
  name=$(basename "$harness")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  echo "-- $name for ${seconds}s"
  "$harness" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 "$work" "$corpus"
  rm -rf "$work"
done
