#!/usr/bin/env bash
# Starts the real kestrelview under Xvfb in a folder holding a drawing, with a
# scratch HOME, checks that its window shows the same picture the companion
# writes, then turns, reloads (F5), drags and resizes it with real X events and compares
# each picture with the companion's picture of the view the window copied
# (Ctrl+Shift+C). Closes it with its "閉じる" button and checks the empty
# DOZ_TEMP.TXT in the program folder and that nothing was left in HOME.
# Usage: window_end_to_end.sh KESTRELVIEW KESTRELVIEW_RENDER DRAWING_FOLDER CLIPBOARD_TEXT
set -euo pipefail
source "$(dirname "$0")/../../scripts/xvfb.sh"
viewer=$1
companion=$2
drawing=$3
clipboard_text=$4

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

mkdir "$work/drawing" "$work/home"
cp "$drawing"/* "$work/drawing/"
# Whatever the programs would keep between runs lands here.
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME
echo "left over from an earlier run" >"$result"

start_xvfb "$work" || fail "no X server"

(cd "$work/drawing" && exec env -u QT_QPA_PLATFORM "$viewer") >"$work/viewer.log" 2>&1 &
viewer_pid=$!

window=$(kestrelview_window) ||
  fail "no window titled Kestrelview appeared: $(cat "$work/viewer.log")"
read -r width height < <(xdotool getwindowgeometry --shell "$window" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd' ')
[ "$width $height" = "423 383" ] || fail "window is $width by $height, not 423 by 383"

"$companion" --output "$work/expected.png" "$work/drawing" >/dev/null

# The picture lies at the scroll box (4, 44), inside its 2-pixel frame, at
# (3, 3): (9, 49) in the window, 400 by 300 or the size the options give.
# same_picture EXPECTED SIZE: whether the window shows EXPECTED; the first
# screenshots may come before the picture is drawn: try again for a while.
same_picture() {
  local differing=unknown
  for _ in $(seq 50); do
    import -window "$window" "$work/shot.png"
    convert "$work/shot.png" -crop "$2+9+49" +repage "$work/picture.png"
    differing=$(compare -metric AE "$work/picture.png" "$1" null: 2>&1 || true)
    [ "$differing" = 0 ] && return 0
    sleep 0.2
  done
  echo "$differing pixels differ" >&2
  return 1
}

# copied_view_is_shown STEP: copies the view with Ctrl+Shift+C, draws it with
# the companion and compares.
copied_view_is_shown() {
  xdotool key ctrl+shift+c
  local options size
  options=$("$clipboard_text" | head -n 1)
  case "$options" in --eye=*) ;; *) fail "$1: the clipboard holds no view: $options" ;; esac
  size=$(sed -n 's/.* --size=\([0-9]*x[0-9]*\).*/\1/p' <<<"$options")
  # shellcheck disable=SC2086 # the options are words
  "$companion" $options --output "$work/copied.png" "$work/drawing" >/dev/null
  same_picture "$work/copied.png" "${size:-400x300}" || fail "$1: the window's picture is not the companion's for $options"
}

same_picture "$work/expected.png" 400x300 || fail "the window's first picture differs from the companion's"

# The keys go to the window with the input focus; four turns to the left
# are the companion's turn of 60 degrees.
xdotool windowfocus --sync "$window"
xdotool key --delay 50 Left Left Left Left
"$companion" --turn 60 --output "$work/turned.png" "$work/drawing" >/dev/null
same_picture "$work/turned.png" 400x300 || fail "four Left presses do not give the companion's --turn 60 picture"
copied_view_is_shown "turned"

# F5 reads the drawing again, which has gained a wall, and keeps the view.
printf 'lg0\nly1\nlc1\n 2000 -3000 8000 -3000\nch 2000 -3000 250 0 "3,0\nch 8000 -3000 250 0 "3,0\n' \
  >>"$work/drawing/temp.txt"
xdotool key F5
"$companion" --turn 60 --output "$work/reloaded.png" "$work/drawing" >/dev/null
cmp -s "$work/reloaded.png" "$work/turned.png" && fail "the new wall does not show in the companion's picture"
same_picture "$work/reloaded.png" 400x300 || fail "F5 does not show the new drawing turned as before"

xdotool mousemove --window "$window" 200 200 mousedown 1 mousemove --window "$window" 240 210 \
  mousemove --window "$window" 280 180 mouseup 1
copied_view_is_shown "orbit drag"
xdotool mousemove --window "$window" 200 200 mousedown 3 mousemove --window "$window" 170 230 mouseup 3
copied_view_is_shown "pan drag"
xdotool key --delay 50 5 9 plus
copied_view_is_shown "orthographic corner view"
xdotool windowsize "$window" 640 480
copied_view_is_shown "resized"

close_kestrelview "$window" "$viewer_pid" || fail "the window did not close on its close button"
status=0
wait "$viewer_pid" || status=$?
viewer_pid=
[ "$status" = 0 ] || fail "kestrelview ended with status $status: $(cat "$work/viewer.log")"

[ -f "$result" ] || fail "no DOZ_TEMP.TXT in the program folder $program_folder"
[ ! -s "$result" ] || fail "DOZ_TEMP.TXT in the program folder is not empty"
[ ! -e "$work/drawing/DOZ_TEMP.TXT" ] || fail "DOZ_TEMP.TXT was written into the drawing's folder"
# Mesa's own shader cache is the system's, not the program's.
left=$(cd "$HOME" && find . -mindepth 1 ! -path './.cache' ! -path './.cache/mesa_shader_cache*')
[ -z "$left" ] || fail "files were left in HOME: $left"
