#!/usr/bin/env bash
# Makes the README's screenshot: kestrelview on the example house, shown under
# Xvfb, written to docs/images/window.png; then the user guide's picture of
# the viewer, the window made larger and the house turned and framed, to
# docs/images/guide-viewer.png.
# Usage: scripts/screenshot.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb.sh
build=${1:-build}
bash scripts/install-deps.sh --tests
cmake -S . -B "$build" -DKV_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target kestrelview

work=$(mktemp -d)
viewer_pid=
cleanup() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb "$work"
viewer="$(cd "$build/app" && pwd)/kestrelview"
(cd examples/house && exec env -u QT_QPA_PLATFORM "$viewer") &
viewer_pid=$!
window=$(kestrelview_window)
xdotool mousemove 0 0 # no hover state in the picture
sleep 1               # let the first paint land
mkdir -p docs/images
import -window "$window" docs/images/window.png
xdotool windowfocus --sync "$window" windowsize "$window" 640 480
xdotool key --delay 100 Left Left Up f
sleep 1
import -window "$window" docs/images/guide-viewer.png
close_kestrelview "$window" "$viewer_pid"
viewer_pid=
echo "screenshots: docs/images/window.png docs/images/guide-viewer.png"
