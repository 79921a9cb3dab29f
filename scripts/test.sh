#!/usr/bin/env bash
# Installs what is missing, builds every preset and both release zips (make dist), and
# runs every test: the Linux build natively, each Windows build under Wine with a
# headless X display (the 64-bit one under the 64-bit loader in a prefix of its own),
# each checking its zip too. On a machine that cannot run 32-bit programs the 32-bit
# build is still built and its files checked, but nothing of it is started.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh
source scripts/wine-env.sh

win32_under_wine=ON
if ! wine_can_run_32bit; then
  win32_under_wine=OFF
fi

jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
cmake --preset win32 -DSUBVANE_WINE_TESTS=$win32_under_wine >/dev/null
cmake --build --preset win32 -j "$jobs"
for preset in dist64 dist; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset -j "$jobs"
done

# Wine's code page and user-interface language follow the locale: generate zh_CN, and
# the locale of each other language of the window for its GUI check, into the build folder.
locales="$root/build/locale"
for locale in zh_CN zh_TW en_US ja_JP ko_KR vi_VN th_TH id_ID pt_BR es_ES; do
  if [ ! -d "$locales/$locale.UTF-8" ]; then
    mkdir -p "$locales"
    localedef -i $locale -f UTF-8 "$locales/$locale.UTF-8" 2>/dev/null || true
  fi
done

trap 'wine_env_stop all' EXIT

status=0
ctest --preset native -j "$jobs" || status=1
if [ -x scripts/fuzz-short.sh ]; then bash scripts/fuzz-short.sh || status=1; fi
wine_env_start win64
ctest --preset win64 || status=1
wine_env_stop
if [ "$win32_under_wine" = OFF ]; then
  echo "this machine cannot run 32-bit programs: the win32 build was built and checked, its Wine tests were skipped"
  ctest --preset win32 || status=1
else
  wine_env_start win32
  ctest --preset win32 || status=1
  wine_env_stop
fi
exit $status
