#!/usr/bin/env bash
# Installs what is missing, builds both presets and the release zip (make dist), and runs
# every test of both builds: the Linux build natively, the Windows build under Wine with a
# headless X display; the Windows build's tests check the zip too.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh

jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
cmake --preset dist >/dev/null
cmake --build --preset dist -j "$jobs"

# Wine's code page follows the locale: generate zh_CN into the build folder.
locales="$root/build/locale"
if [ ! -d "$locales/zh_CN.UTF-8" ]; then
  mkdir -p "$locales"
  localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8" 2>/dev/null || true
fi

source scripts/wine-env.sh
wine_env_start
trap wine_env_stop EXIT

status=0
ctest --preset native -j "$jobs" || status=1
if [ -x scripts/fuzz-short.sh ]; then bash scripts/fuzz-short.sh || status=1; fi
ctest --preset win32 || status=1
exit $status
