#!/usr/bin/env bash
# Makes the pictures of the user guide with the companion: each drawing
# docs/guide/NAME.txt, with the guide's two material files beside it, gives
# docs/images/guide-NAME.png (and a flat-shaded one for the shading section);
# the example DXF plan, converted with --wall-height 2.4, gives dxf-plan.png;
# a flat of the DXF tests gives its first picture without and with the view
# the bridge writes, and its plan picture;
# the example house turned round its target gives guide-turntable.png;
# the plan check draws its picture of docs/guide/check.txt; and chromium
# shows the example house's web page, guide-web-page.png.
# Usage: scripts/guide-pictures.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -DKV_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target kestrelview-render kestrelview-dxf
companion="$build/tools/kestrelview-render"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp docs/guide/material.txt docs/guide/material2.txt "$work/"

# picture NAME OUTPUT [OPTION...]: renders docs/guide/NAME.txt into OUTPUT.
picture() {
  local name=$1 output=$2
  shift 2
  cp "docs/guide/$name.txt" "$work/temp.txt"
  "$companion" "$@" --output "$output" "$work" >/dev/null
  echo "$output"
}

mkdir -p docs/images
for drawing in docs/guide/*.txt; do
  name=$(basename "$drawing" .txt)
  case "$name" in material | material2) continue ;; esac
  picture "$name" "docs/images/guide-$name.png"
done
picture base-heights docs/images/guide-base-heights-flat.png --flat

"$build/tools/kestrelview-dxf" examples/dxf-plan/plan.dxf --wall-height 2.4 --out "$work/dxf-plan" \
  --output docs/images/dxf-plan.png >/dev/null
echo docs/images/dxf-plan.png

# The flat of the DXF tests (in centimetres, walls in DXF colour 7) before and
# after the bridge writes its view, and its plan picture.
/usr/bin/python3 tests/dxf/floor_plans.py - - --write "$work"
for view in none corner; do
  "$build/tools/kestrelview-dxf" "$work/flat.dxf" --wall-height 2.5 --view "$view" --force --out "$work/flat" \
    --output "docs/images/dxf-flat-$view.png" >/dev/null
  echo "docs/images/dxf-flat-$view.png"
done
"$build/tools/kestrelview-dxf" "$work/flat.dxf" --wall-height 2.5 --force --out "$work/flat" >/dev/null
status=0
"$companion" --plan docs/images/dxf-flat-plan.png "$work/flat" >/dev/null || status=$?
[ "$status" -eq 3 ]
echo docs/images/dxf-flat-plan.png

# A turntable of the example house: six small pictures, the eye turned by 60
# degrees each time, side by side in one strip.
frames=()
for angle in 0 60 120 180 240 300; do
  "$companion" --size 200x150 --samples 4 --fov 34 --turn "$angle" --output "$work/turn-$angle.png" examples/house >/dev/null
  frames+=("$work/turn-$angle.png")
done
convert "${frames[@]}" +append docs/images/guide-turntable.png
echo docs/images/guide-turntable.png

# The plan check exits with 3 when it finds a warning, as it does here.
cp docs/guide/check.txt "$work/temp.txt"
status=0
"$companion" --plan docs/images/guide-check-plan.png "$work" >/dev/null || status=$?
[ "$status" -eq 3 ]
echo docs/images/guide-check-plan.png

# The example house's web page in chromium, as a browser shows it, with the
# controls (chromium's own screenshot; WebGL through its software renderer).
command -v chromium >/dev/null 2>&1 || bash scripts/install-deps.sh
cp -r examples/house "$work/house"
"$companion" --export "$work/house.html" "$work/house" >/dev/null
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/chromium" --use-angle=swiftshader \
  --enable-unsafe-swiftshader --hide-scrollbars --window-size=800,600 --virtual-time-budget=20000 \
  --screenshot="$PWD/docs/images/guide-web-page.png" "file://$work/house.html" >/dev/null 2>&1
echo docs/images/guide-web-page.png
