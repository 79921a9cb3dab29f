#!/usr/bin/env bash
# Starts the Windows program: natively on Windows, under Wine elsewhere (needs a display).
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/win32/app/Subvane.exe
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
if [ -z "${DISPLAY:-}" ]; then
  echo "make run needs a display (set DISPLAY, e.g. under Xvfb)." >&2
  exit 1
fi
exec wine "$exe"
