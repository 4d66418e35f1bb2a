#!/bin/sh
# Builds the release exes and prints every figure of the controller in one table.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
exec env VANTREL_BUILD="$(pwd)/build/win64" /usr/bin/python3 bench/bench.py "$@"
