#!/usr/bin/env bash
# Takes screenshots of the desktop program in a real X window, at 1920 x 1080
# (docs/desktop-screenshot.png), at 1366 x 768
# (docs/desktop-screenshot-1366x768.png) and at 1920 x 1080 with Qt's scale
# factor 2 (docs/desktop-screenshot-scale2.png): for each, starts a virtual screen
# (Xvfb) with a small window manager (openbox) that draws the main window's
# frame and maximises it, runs modelcheck-gui in it, picks the bundled Henon
# series in the file dialog, types the answers of one model check as a user
# would (xdotool), and captures the whole screen after the check.
#
#   bash scripts/screenshot.sh                    both screenshots, and one during a long
#                                                 check (docs/desktop-busy.png)
#   bash scripts/screenshot.sh 1600x900 out.png   one, at another size
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh xvfb openbox xdotool imagemagick

cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target modelcheck-gui
program=$PWD/build/bin/modelcheck-gui

xvfb="" work=""
# The screen of the last screenshot and its files; openbox ends with its screen.
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  [ -n "$xvfb" ] && wait "$xvfb" 2>/dev/null || true
  [ -n "$work" ] && rm -rf "$work"
  xvfb="" work=""
}
trap cleanup EXIT

type_line() { xdotool type --delay 15 "$1"; xdotool key Return; sleep 0.4; }

# One screenshot: screen size WxH, output path, and optionally a series of
# that many generated Henon values and the seconds to wait into its check
# (the busy state) instead of the bundled example after its check.
take() {
  local size=$1 output series=henon.txt ntrain=2000 eps=0.05 wait=2
  output=$(realpath -m "$2")

  work=$(mktemp -d)
  cp examples/henon.txt "$work/"
  if [ -n "${3:-}" ]; then
    series=long.txt ntrain=$(($3 - 200)) eps=0.2 wait=$4
    /usr/bin/python3 -c "
x, y = 0.1, 0.1
with open('$work/long.txt', 'w') as f:
    for n in range($3 + 100):
        x, y = 1 - 1.4 * x * x + y, 0.3 * x
        if n >= 100: f.write('%.12f\\n' % x)"
  fi
  exec 3> "$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  openbox >/dev/null 2>&1 &
  sleep 0.5

  # Remembered places of a fresh user, not of whoever runs the script.
  (cd "$work" && XDG_CONFIG_HOME="$work/config" "$program" >/dev/null 2>&1) &
  gui=$!

  xdotool search --sync --name "Open a time series file" >/dev/null
  type_line "$work/$series"
  sleep 1
  for answer in "$ntrain" 2 "$eps" n; do type_line "$answer"; done
  sleep "$wait"  # the example's check and its drawing take a fraction of 2 s
  mkdir -p "$(dirname "$output")"
  import -window root "$output"
  for answer in n n n n; do type_line "$answer"; done
  sleep 0.5
  kill "$gui" 2>/dev/null || true
  cleanup
  echo "Screenshot written to $output"
}

if [ $# -ge 2 ]; then
  take "$1" "$2"
else
  take 1920x1080 docs/desktop-screenshot.png
  take 1366x768 docs/desktop-screenshot-1366x768.png
  QT_SCALE_FACTOR=2 take 1920x1080 docs/desktop-screenshot-scale2.png
  # A check of 10^6 values with large boxes, a second into it: the busy state.
  take 1366x768 docs/desktop-busy.png 1000000 1
fi
