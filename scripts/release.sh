#!/bin/sh
# Makes release/vantrel-<version>/ with vantrel.exe for 64-bit and for 32-bit Windows, the README
# and the licence, and a zip of that folder beside it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target vantrel
done
version=$(sed -n 's/^project(vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="vantrel-$version"
rm -rf "release/$name" "release/$name.zip"
mkdir -p "release/$name/64-bit" "release/$name/32-bit"
cp build/win64/vantrel.exe "release/$name/64-bit/vantrel.exe"
cp build/win32/vantrel.exe "release/$name/32-bit/vantrel.exe"
cp README.md LICENSE "release/$name/"
mkdir -p "release/$name/docs" && cp docs/menu.png "release/$name/docs/"
(cd release && zip -qr "$name.zip" "$name")
file "release/$name/64-bit/vantrel.exe" "release/$name/32-bit/vantrel.exe"
ls -l "release/$name.zip"
