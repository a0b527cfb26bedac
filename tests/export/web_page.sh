#!/usr/bin/env bash
# Exports web pages with kestrelview-render and opens them in a real browser,
# Debian's chromium, driven by Playwright (web_page.js): the example house, a
# guide drawing and a converted DXF plan against the companion's pictures,
# turned and sent Home; names that are markup or script; an empty model; a
# browser without WebGL. Also: the same drawing gives the same page, and a
# model of over a million triangles still gives one. Installs chromium, node
# and npm when they are missing rather than skip.
# Usage: web_page.sh RENDER_TOOL DXF_TOOL SOURCE_DIR WORK_DIR
set -euo pipefail
shopt -s inherit_errexit
tool=$1
dxf=$2
source=$3
work=$(mkdir -p "$4" && cd "$4" && pwd)

bash "$source/tests/export/node_packages.sh" "$source" "$work" chromium
cp "$source/tests/export/web_page.js" "$work/"

pages="$work/pages"
rm -rf "$pages" "$work/drawings"
mkdir -p "$pages" "$work/drawings"
status=0

# page NAME FOLDER: the page and the companion's picture of the same view at
# the browser's size.
page() {
  "$tool" --export "$pages/$1.html" --size 800x600 --output "$pages/$1.png" "$2" >/dev/null
}
page house "$source/examples/house"
guide="$work/drawings/guide"
mkdir -p "$guide"
cp "$source/docs/guide/material.txt" "$source/docs/guide/material2.txt" "$guide/"
cp "$source/docs/guide/slabs.txt" "$guide/temp.txt"
page guide "$guide"
"$dxf" "$source/examples/dxf-plan/plan.dxf" --out "$work/drawings/dxf-plan" --wall-height 2.5 >/dev/null
page dxf-plan "$work/drawings/dxf-plan"

# Layer and folder names that would be markup or script in a page.
injection="$work/drawings/<img src=x onerror=window.kvInjected=3>"
mkdir -p "$injection"
cp "$source/examples/house/material.txt" "$injection/"
printf '%s\n' 'ly1' 'lyn</script><script>window.kvInjected=1</script>' ' 0 0 4000 0' \
  'ch 0 0 "2.4,0' 'ch 4000 0 "2.4,0' 'ly2' 'lyn<img src=x onerror=window.kvInjected=2>' \
  ' 0 0 0 3000' 'ch 0 0 "2.4,0' 'ch 0 3000 "2.4,0' >"$injection/temp.txt"
"$tool" --export "$pages/injection.html" "$injection" >/dev/null

# A drawing without a single line.
mkdir -p "$work/drawings/empty"
cp "$source/examples/house/material.txt" "$work/drawings/empty/"
: >"$work/drawings/empty/temp.txt"
"$tool" --export "$pages/empty.html" "$work/drawings/empty" >/dev/null

(cd "$work" && node web_page.js "$pages") || status=1

# Nothing in a page changes from one export to the next.
"$tool" --export "$work/again.html" "$source/examples/house" >/dev/null
if cmp "$pages/house.html" "$work/again.html"; then
  echo "ok: the same drawing gives the same page"
else
  echo "FAILED: the same drawing gives another page"
  status=1
fi

# 354 x 354 rooms: 1,003,944 triangles. The page is written, says it may be
# slow, and the companion prints its size.
grid="$work/drawings/grid"
bash "$source/tests/export/grid_drawing.sh" 354 "$source" "$grid"
report=$("$tool" --export "$work/grid.html" "$grid")
size=$(stat -c %s "$work/grid.html")
if echo "$report" | grep -qx "exported 1003944 triangles.*" &&
  echo "$report" | grep -qx "web page $work/grid.html: $size bytes (a large model: it may be slow to open)" &&
  grep -q '"large":true' "$work/grid.html"; then
  echo "ok: a model of 1,003,944 triangles gives a page of $size bytes that warns"
else
  echo "FAILED: the large model's page: $report"
  status=1
fi
rm -f "$work/grid.html" "$work/again.html"
exit $status
