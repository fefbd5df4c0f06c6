#!/usr/bin/env bash
# Runs one viewer program in a directory, turns the view round to face the
# scene, takes a screenshot, then closes the window.
#
#   tools/xvfb-run-viewer.sh PROGRAM DIRECTORY SCREENSHOT.png [SECONDS]
#
# Starts a private Xvfb (1024x768x24, or $XVFB_SCREEN) on a display number
# it picks itself when DISPLAY is not set, and stops it on exit. Enter is fed to the program's prompts. The view
# is turned by moving the pointer to (540, 360) in the window: the heading
# becomes -540 (= 180) degrees and the elevation 180.5 + 360, i.e. the view
# looks along +y towards the cameras' scene. SECONDS (default 1) is the time
# the picture is left to settle before the screenshot. The window is closed
# with a close request (x11_close_window, looked for in $X11_CLOSE_WINDOW or
# build/tools/), else with SIGTERM, which SDL also turns into its quit event.
# Exit status: the program's, or 1 when no window appeared.
set -euo pipefail

if [ $# -lt 3 ]; then
  echo "usage: $0 PROGRAM DIRECTORY SCREENSHOT.png [SECONDS]" >&2
  exit 2
fi
program=$(realpath "$1")
directory=$2
screenshot=$(realpath -m "$3")
settle=${4:-1}
here=$(cd "$(dirname "$0")" && pwd)
close_tool=${X11_CLOSE_WINDOW:-$here/../build/tools/x11_close_window}

xvfb_pid=
program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill -KILL "$program_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ]; then
  # Xvfb picks a free display number itself and writes it to fd 3 once
  # clients can connect. -noreset: a server resetting after its last client
  # (xdpyinfo, xdotool) left would refuse the viewer's connection meanwhile.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -noreset -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  number=
  for _ in $(seq 300); do
    number=$(head -n 1 "$display_file")
    [ -n "$number" ] && [ "$(wc -l < "$display_file")" -ge 1 ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$display_file"
  case "$number" in
    ''|*[!0-9]*) echo "$0: Xvfb did not start" >&2; exit 1 ;;
  esac
  export DISPLAY=":$number"
fi

xdotool mousemove "$(( $(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1]}') / 2 ))" \
  "$(( $(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[2]}') / 2 ))"

cd "$directory"
yes '' 2>/dev/null | head -n 50 | "$program" &
program_pid=$!

window=
for _ in $(seq 600); do
  window=$(xdotool search --pid "$program_pid" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "$0: no window appeared" >&2
  wait "$program_pid" || true
  program_pid=
  exit 1
fi

sleep 0.5
xdotool mousemove --window "$window" 540 360
sleep "$settle"
import -window root "$screenshot"

if [ -x "$close_tool" ]; then
  "$close_tool" "$window" || kill -TERM "$program_pid"
else
  kill -TERM "$program_pid"
fi
status=0
for _ in $(seq 200); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
wait "$program_pid" || status=$?
program_pid=
exit "$status"
