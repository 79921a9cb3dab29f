#!/usr/bin/env bash
# Builds the 64-bit Windows program and times parses of large drafts into its table under Wine
# (bench/gui_parse.py; arguments are passed on, e.g. --counts 5000,20000 --runs 3).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Subvane gui_probe >/dev/null
source scripts/wine-env.sh
wine_env_start win64
trap "wine_env_stop all" EXIT
python3 bench/gui_parse.py --exe build/win64/app/Subvane.exe \
  --probe build/win64/tests/gui/gui_probe.exe "$@"
