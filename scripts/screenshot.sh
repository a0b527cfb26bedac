#!/usr/bin/env bash
# Makes the README's screenshot: kestrelview on the example house, shown under
# Xvfb, written to docs/images/window.png; then the user guide's picture of
# the viewer, the window made larger and the house turned and framed, to
# docs/images/guide-viewer.png; then the side panel's: a finding picked, the
# plan view and the house cut at a storey's height.
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

# open_panel FOLDER: starts kestrelview on the drawing in FOLDER and opens its
# side panel with 指摘, in the status line left of the mode line.
open_panel() {
  (cd "$1" && exec env -u QT_QPA_PLATFORM "$viewer") &
  viewer_pid=$!
  window=$(kestrelview_window)
  xdotool mousemove --window "$window" 305 372 click 1 mousemove 0 0
  sleep 1
}

# The guide's drawing with mistakes: its third finding picked, in the
# picture and in the plan view.
mkdir "$work/check"
cp docs/guide/check.txt "$work/check/temp.txt"
cp docs/guide/material.txt docs/guide/material2.txt "$work/check/"
open_panel "$work/check"
xdotool mousemove --window "$window" 520 127 click 1 mousemove 0 0
sleep 1
import -window "$window" docs/images/guide-panel.png
xdotool mousemove --window "$window" 432 348 click 1 mousemove 0 0
sleep 1
import -window "$window" docs/images/guide-plan-view.png
close_kestrelview "$window" "$viewer_pid"
viewer_pid=

# The house cut at 2.6 m, seen from the corner above.
open_panel examples/house
xdotool mousemove --window "$window" 660 298 click --repeat 3 1 key ctrl+a type 2.6
xdotool key Return
xdotool mousemove --window "$window" 200 200 click 1 key 9
sleep 1
import -window "$window" docs/images/guide-cut.png
close_kestrelview "$window" "$viewer_pid"
viewer_pid=
echo "screenshots: docs/images/window.png docs/images/guide-viewer.png docs/images/guide-panel.png" \
  "docs/images/guide-plan-view.png docs/images/guide-cut.png"
