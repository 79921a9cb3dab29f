#!/usr/bin/env bash
# Starts the 64-bit Windows program under the 64-bit Wine loader (needs a display), in
# the user's own 64-bit Wine prefix (WINEPREFIX, else ~/.wine64-subvane).
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/win64/app/Subvane.exe
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
if [ -z "${DISPLAY:-}" ]; then
  echo "make run needs a display (set DISPLAY, e.g. under Xvfb)." >&2
  exit 1
fi
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine64-subvane}
export WINEARCH=win64
export PATH="$(pwd)/scripts/wine64:$PATH"
exec scripts/wine64/wine "$exe"
