#!/usr/bin/env bash
# Times the opening of exported web pages in chromium: the example house and
# grids of rooms, from the start of the navigation to the first frame with
# the model (web_page_open.js), medians of RUNS openings; and how long the
# companion takes to write each page, and its size.
# Usage: bench/export/web_page_open.sh BUILD_FOLDER [RUNS] [N...]
#   N: grids of N x N rooms (default: 100 300)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(cd "$1" && pwd)
runs=${2:-5}
shift $(($# >= 2 ? 2 : 1))
sizes=("${@:-100 300}")
work="$build/bench/export/web_page"
mkdir -p "$work"
bash tests/export/node_packages.sh "$PWD" "$work" chromium
cp bench/export/web_page_open.js "$work/"

pages=()
write() {
  local start end
  start=$(date +%s%N)
  "$build/tools/kestrelview-render" --export "$work/$1.html" "$2" >/dev/null
  end=$(date +%s%N)
  echo "$1.html: $(stat -c %s "$work/$1.html") bytes, written in $(((end - start) / 1000000)) ms"
  pages+=("$work/$1.html")
}
write house examples/house
for n in ${sizes[*]}; do
  bash tests/export/grid_drawing.sh "$n" "$PWD" "$work/grid-$n"
  write "grid-$n" "$work/grid-$n"
done
(cd "$work" && node web_page_open.js "$runs" "${pages[@]}")
