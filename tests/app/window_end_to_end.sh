#!/usr/bin/env bash
# Starts the real kestrelview under Xvfb in a folder holding a drawing, checks
# that its window shows the same picture the companion writes, closes it with
# its "閉じる" button and checks the empty DOZ_TEMP.TXT in the program folder.
# Usage: window_end_to_end.sh KESTRELVIEW KESTRELVIEW_RENDER DRAWING_FOLDER
set -euo pipefail
source "$(dirname "$0")/../../scripts/xvfb.sh"
viewer=$1
companion=$2
drawing=$3

for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh --tests" >&2; exit 1; }
done

work=$(mktemp -d)
program_folder=$(cd "$(dirname "$viewer")" && pwd)
result="$program_folder/DOZ_TEMP.TXT"
viewer_pid=

# The program folder is the build folder: whatever DOZ_TEMP.TXT lay there is
# put back afterwards.
had_result=no
if [ -e "$result" ]; then
  cp -p "$result" "$work/DOZ_TEMP.TXT.saved"
  had_result=yes
fi

cleanup() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  if [ "$had_result" = yes ]; then cp -p "$work/DOZ_TEMP.TXT.saved" "$result"; else rm -f "$result"; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir "$work/drawing"
cp "$drawing"/* "$work/drawing/"
echo "left over from an earlier run" >"$result"

start_xvfb "$work" || fail "no X server"

(cd "$work/drawing" && exec env -u QT_QPA_PLATFORM "$viewer") >"$work/viewer.log" 2>&1 &
viewer_pid=$!

window=$(kestrelview_window) ||
  fail "no window titled Kestrelview appeared: $(cat "$work/viewer.log")"
read -r width height < <(xdotool getwindowgeometry --shell "$window" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd' ')
[ "$width $height" = "423 383" ] || fail "window is $width by $height, not 423 by 383"

"$companion" --output "$work/expected.png" "$work/drawing" >/dev/null

# The picture lies at the scroll box (4, 44), inside its 2-pixel frame, at (3, 3).
# The first screenshot may come before the first paint: try again for a while.
differing=unknown
for _ in $(seq 50); do
  import -window "$window" "$work/shot.png"
  convert "$work/shot.png" -crop 400x300+9+49 +repage "$work/picture.png"
  differing=$(compare -metric AE "$work/picture.png" "$work/expected.png" null: 2>&1 || true)
  [ "$differing" = 0 ] && break
  sleep 0.2
done
[ "$differing" = 0 ] || fail "the window's picture differs from the companion's in $differing pixels"

close_kestrelview "$window" "$viewer_pid" || fail "the window did not close on its close button"
status=0
wait "$viewer_pid" || status=$?
viewer_pid=
[ "$status" = 0 ] || fail "kestrelview ended with status $status: $(cat "$work/viewer.log")"

[ -f "$result" ] || fail "no DOZ_TEMP.TXT in the program folder $program_folder"
[ ! -s "$result" ] || fail "DOZ_TEMP.TXT in the program folder is not empty"
[ ! -e "$work/drawing/DOZ_TEMP.TXT" ] || fail "DOZ_TEMP.TXT was written into the drawing's folder"
