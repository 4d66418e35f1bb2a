#!/bin/sh
# Runs the real vantrel.exe on the bundled stand-in stack under Wine: on $DISPLAY when there is
# one (quit it from its tray menu), else on Xvfb, saving a screenshot of its menu to out/demo.png.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target vantrel standin pslist
cd tests/e2e
exec env VANTREL_BUILD="$(cd ../.. && pwd)/build/win64" /usr/bin/python3 demo.py
