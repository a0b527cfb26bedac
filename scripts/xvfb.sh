# Shell functions for showing the window under Xvfb, sourced by the
# screenshot script and by the window's end-to-end test.

# start_xvfb FOLDER: starts Xvfb on a free display (24-bit colour), its log
# in FOLDER; sets XVFB_PID and exports DISPLAY.
start_xvfb() {
  local folder=$1
  # -noreset: without it the server resets whenever its last client leaves,
  # and a program connecting just then is refused.
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$folder/display" ] && break
    sleep 0.1
  done
  if ! [ -s "$folder/display" ]; then
    echo "Xvfb did not start: $(cat "$folder/xvfb.log")" >&2
    return 1
  fi
  export DISPLAY=":$(cat "$folder/display")"
}

# kestrelview_window: waits up to 30 seconds for the shown window titled
# "Kestrelview" and prints its id.
kestrelview_window() {
  timeout 30 xdotool search --sync --onlyvisible --name '^Kestrelview$' | head -n 1
}

# close_kestrelview WINDOW PID: clicks "閉じる" (Button2 at 280, 8, 75 by 25)
# and waits up to 10 seconds for the program to end.
close_kestrelview() {
  xdotool mousemove --window "$1" 317 20 click 1
  for _ in $(seq 100); do
    kill -0 "$2" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
