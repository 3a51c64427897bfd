#!/usr/bin/env bash
# Takes a screenshot of the desktop program in a real X window: starts a
# virtual screen (Xvfb) with a small window manager (openbox) that draws the
# main window's frame and maximises it, runs modelcheck-gui in it, picks the bundled Henon
# series in the file dialog, types the answers of one model check as a user
# would (xdotool), and captures the whole screen after the check.
#
#   bash scripts/screenshot.sh [output.png]     (default docs/desktop-screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-docs/desktop-screenshot.png}")

bash scripts/install-deps.sh xvfb openbox xdotool imagemagick

cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target modelcheck-gui
program=$PWD/build/src/platform/desktop/modelcheck-gui

work=$(mktemp -d)
cp examples/henon.txt "$work/"
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT  # openbox ends with its screen
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
sleep 0.5

(cd "$work" && "$program" >/dev/null 2>&1) &
gui=$!

type_line() { xdotool type --delay 15 "$1"; xdotool key Return; sleep 0.4; }

xdotool search --sync --name "Open a time series file" >/dev/null
type_line "$work/henon.txt"
sleep 1
for answer in 2000 2 0.05 n; do type_line "$answer"; done
sleep 2  # the model check and its drawing take a fraction of this
mkdir -p "$(dirname "$output")"
import -window root "$output"
for answer in n n n n; do type_line "$answer"; done
sleep 0.5
kill "$gui" 2>/dev/null || true
echo "Screenshot written to $output"
