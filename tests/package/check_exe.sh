#!/bin/sh
# Checks a built vantrel.exe as a user receives it: a GUI program for the expected machine, that
# imports only Windows' own DLLs, and carries its icon, version information and manifest.
# Usage: check_exe.sh <vantrel.exe> <x86_64|i686>
set -eu
exe=$1
arch=$2
objdump=$arch-w64-mingw32-objdump
fail() { echo "FAIL: $*"; exit 1; }
headers=$($objdump -p "$exe")
case $arch in
  x86_64) echo "$headers" | grep -q "^Magic.*020b" || fail "not a PE32+ image" ;;
  i686) echo "$headers" | grep -q "^Magic.*010b" || fail "not a PE32 image" ;;
esac
echo "$headers" | grep -Eq "^Subsystem[[:space:]]+0*2[[:space:]]" || fail "not a GUI program"
dlls=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z' | sort -u)
for dll in $dlls; do
  case $dll in
    KERNEL32.DLL | USER32.DLL | GDI32.DLL | SHELL32.DLL | MSVCRT.DLL) ;;
    *) fail "imports $dll" ;;
  esac
done
strings -el "$exe" | grep -q "^MAINICON$" || fail "no MAINICON resource"
strings -el "$exe" | grep -q "^Vantrel - serveurs web portables$" || fail "no version information"
strings "$exe" | grep -q "dpiAware" || fail "no manifest"
echo "ok: $exe ($arch) imports only $(echo $dlls | tr '\n' ' ')"
