#!/usr/bin/env bash
# Installs what is missing, the test tools too; checks formatting and the
# direction of includes; builds everything with warnings as errors, runs
# clang-tidy on the libraries and every test; then builds the core libraries
# and their tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them; then runs each fuzzer for a few seconds from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests

jobs=$(nproc)

echo "== formatting and includes"
git ls-files -co --exclude-standard '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
bash scripts/check-includes.sh

echo "== build and test"
cmake -S . -B build -DKV_WERROR=ON -DKV_TESTS=ON
cmake --build build -j"$jobs"
bash scripts/check-tidy.sh build
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== sanitizer build and test (core libraries)"
cmake -S . -B build-sanitize -DKV_CORE_ONLY=ON -DKV_SANITIZE=ON -DKV_WERROR=ON
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 \
LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== fuzzing"
bash scripts/fuzz.sh "${KV_FUZZ_SECONDS:-5}"
echo "== all tests passed"
