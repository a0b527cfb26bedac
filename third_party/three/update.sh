#!/usr/bin/env bash
# Regenerates three.min.js, LICENSE and VERSION from the npm packages that
# package-lock.json pins: three, and esbuild to bundle and minify the parts
# three-entry.js names. For the maintainers only; building Kestrelview needs
# no node. Run from anywhere: bash third_party/three/update.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/package.json" "$here/package-lock.json" "$here/three-entry.js" "$work/"
cd "$work"
# esbuild's install script only checks its binary, which comes as a package.
npm ci --no-audit --no-fund --ignore-scripts --loglevel=error
npx --no-install esbuild three-entry.js --bundle --minify --format=iife --global-name=THREE \
  --target=es2020 --charset=ascii --legal-comments=none --outfile=three.min.js --log-level=warning
cp three.min.js "$here/three.min.js"
cp node_modules/three/LICENSE "$here/LICENSE"
node -p "require('./node_modules/three/package.json').version" >"$here/VERSION"
echo "update.sh: three $(cat "$here/VERSION"), three.min.js $(wc -c <"$here/three.min.js") bytes"
