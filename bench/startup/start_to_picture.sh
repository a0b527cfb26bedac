#!/usr/bin/env bash
# Times what the drafter feels, whole processes from start to result, for one
# or more builds side by side in one run, and prints a Markdown table of
# medians. The window is started under Xvfb and polled every 10 ms until it
# is shown; the Qt hello-world window of the first build is the floor.
# Mesa's shader cache is warm: every command runs once before it is timed.
#
# Usage: bench/startup/start_to_picture.sh [-n RUNS] LABEL=BUILD_FOLDER...
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/xvfb.sh

runs=9
if [ "${1:-}" = "-n" ]; then runs=$2; shift 2; fi
[ $# -ge 1 ] || { echo "usage: $0 [-n RUNS] LABEL=BUILD_FOLDER..." >&2; exit 2; }

work=$(mktemp -d)
cleanup() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work"
cp -r examples/house "$work/house"
python3 - "$work/grid" <<'PY'
import os, sys
folder = sys.argv[1]; os.makedirs(folder)
n, s, lines = 300, 1000, []
for j in range(n + 1):
    lines += [f" {i*s} {j*s} {(i+1)*s} {j*s}" for i in range(n)]
for i in range(n + 1):
    lines += [f" {i*s} {j*s} {i*s} {(j+1)*s}" for j in range(n)]
for j in range(n + 1):
    lines += [f'ch {i*s} {j*s} "3,0' for i in range(n + 1)]
open(os.path.join(folder, "temp.txt"), "w").write("\n".join(lines) + "\n")
PY
cp examples/house/material*.txt "$work/grid/"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
now() { date +%s%N; }

# window_seconds PROGRAM FOLDER: from start until a window titled
# "Kestrelview" is shown, then closes it.
window_seconds() {
  local start pid found=
  start=$(now)
  (cd "$2" && exec env -u QT_QPA_PLATFORM "$1") >/dev/null 2>"$work/window.err" &
  pid=$!
  for _ in $(seq 3000); do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "$1 ended before showing its window: $(cat "$work/window.err")" >&2
      kill -0 "$XVFB_PID" 2>/dev/null || echo "Xvfb on $DISPLAY has ended: $(cat "$work/xvfb.log")" >&2
      exit 1
    fi
    found=$(xdotool search --onlyvisible --name '^Kestrelview$' 2>/dev/null | head -n 1) || true
    [ -n "$found" ] && break
    sleep 0.01
  done
  local end
  end=$(now)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "scale=3; ($end - $start) / 1000000000" | bc
}

# process_seconds COMMAND...: one whole run, seconds.
process_seconds() {
  local start end
  start=$(now)
  "$@" >/dev/null 2>&1 || true
  end=$(now)
  echo "scale=3; ($end - $start) / 1000000000" | bc
}

# peak_mb COMMAND...: the process's peak resident memory.
peak_mb() {
  /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1 | awk '{printf "%.0f", $1 / 1024}'
}

# timed KIND ARGS...: the median of the runs after one warm-up.
timed() {
  local kind=$1
  shift
  "$kind" "$@" >/dev/null
  for _ in $(seq "$runs"); do "$kind" "$@"; done | median
}

declare -a labels rows
rows=("window on the house, start to shown" "companion --output on the house" "companion --help"
  "companion summary on the house" "companion --json on the house" "300 × 300 grid, companion summary"
  "300 × 300 grid, peak MB" "300 × 300 grid, companion --output")
declare -A cell
first=
for pair in "$@"; do
  label=${pair%%=*}
  build=$(cd "${pair#*=}" && pwd)
  labels+=("$label")
  [ -n "$first" ] || first=$build
  viewer=$build/app/kestrelview
  companion=$build/tools/kestrelview-render
  cell[$label,0]=$(timed window_seconds "$viewer" "$work/house")
  cell[$label,1]=$(timed process_seconds "$companion" --output "$work/x.bmp" "$work/house")
  cell[$label,2]=$(timed process_seconds "$companion" --help)
  cell[$label,3]=$(timed process_seconds "$companion" "$work/house")
  cell[$label,4]=$(timed process_seconds "$companion" --json "$work/x.json" "$work/house")
  cell[$label,5]=$(timed process_seconds "$companion" "$work/grid")
  cell[$label,6]=$(peak_mb "$companion" "$work/grid")
  cell[$label,7]=$(timed process_seconds "$companion" --output "$work/x.bmp" "$work/grid")
done
floor=$(timed window_seconds "$first/bench/startup/kv_hello_window" "$work/house")

printf '| what (seconds, medians of %s runs; shader cache warm) |' "$runs"
for label in "${labels[@]}"; do printf ' %s |' "$label"; done
printf '\n|---|'
for _ in "${labels[@]}"; do printf -- '---|'; done
printf '\n'
for i in "${!rows[@]}"; do
  printf '| %s |' "${rows[$i]}"
  for label in "${labels[@]}"; do printf ' %s |' "${cell[$label,$i]}"; done
  printf '\n'
done
printf '| Qt hello-world window, start to shown (the floor) | %s |\n' "$floor"
