#!/bin/sh
# Builds everything and runs every test: the logic's unit tests natively, the Win32 layer's tests
# and the end-to-end tests under Wine on a virtual X display. Builds the 32-bit exe too.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

for preset in host win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

ctest --preset host
ctest --preset win32

# The Win32 layer's windows need an X display; the end-to-end tests make their own.
number=$(mktemp)
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$number" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$number"' EXIT
while [ ! -s "$number" ]; do sleep 0.1; done
DISPLAY=":$(cat "$number")" ctest --preset win64 -j 2
