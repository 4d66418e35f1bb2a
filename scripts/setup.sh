#!/bin/sh
# Installs everything the build, the tests, the demo and the benchmarks need, from Debian's packages.
# Safe to run again: it installs only what is missing.
set -eu
packages="cmake ninja-build g++ googletest libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64 mingw-w64-tools
  wine wine64 fonts-wine xvfb xauth xdotool x11-utils imagemagick
  tesseract-ocr tesseract-ocr-fra python3 python3-pil python3-numpy zip file procps"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
