#!/bin/sh
# Regenerates platform/posix/cp936_table.inc from Wine's code page 936 conversions.
# Needs i686-w64-mingw32-g++-posix and wine; uses WINEPREFIX if set.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
i686-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -static -o "$work/cp936_dump.exe" \
  "$here/cp936_dump.cpp"
WINEDEBUG=-all wine "$work/cp936_dump.exe" | tr -d '\r' > "$work/cp936_table.inc"
mv "$work/cp936_table.inc" "$root/platform/posix/cp936_table.inc"
