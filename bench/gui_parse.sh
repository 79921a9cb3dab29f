#!/usr/bin/env bash
# Builds the Windows program and times parses of large drafts into its table under Wine
# (bench/gui_parse.py; arguments are passed on, e.g. --counts 5000,20000 --runs 3).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Subvane gui_probe >/dev/null
source scripts/wine-env.sh
wine_env_start win32
trap "wine_env_stop all" EXIT
python3 bench/gui_parse.py --exe build/win32/app/Subvane.exe \
  --probe build/win32/tests/gui/gui_probe.exe "$@"
