#!/usr/bin/env bash
# Gets the export checks' tools ready: installs node, npm and each command
# named when one is missing (scripts/install-deps.sh) rather than skip, and
# the npm packages pinned by tests/export/package-lock.json into WORK_DIR.
# Usage: node_packages.sh SOURCE_DIR WORK_DIR [COMMAND...]
set -euo pipefail
source=$1
work=$2
shift 2

missing=false
for command in node "$@"; do
  command -v "$command" >/dev/null 2>&1 || missing=true
done
npm --version >/dev/null 2>&1 || missing=true
if $missing; then
  bash "$source/scripts/install-deps.sh" --tests
fi

if ! cmp -s "$source/tests/export/package-lock.json" "$work/package-lock.json" ||
  [ ! -d "$work/node_modules/gltf-validator" ] || [ ! -d "$work/node_modules/playwright-core" ]; then
  cp "$source/tests/export/package.json" "$source/tests/export/package-lock.json" "$work/"
  (cd "$work" && npm ci --no-audit --no-fund --loglevel=error)
fi
