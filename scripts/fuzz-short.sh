#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and runs each for a short
# while (FUZZ_SECONDS, default 20). Fails if a fuzzer finds a crash or a leak.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build/fuzz}"
seconds="${FUZZ_SECONDS:-20}"

cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
ninja -C "$build" -j2

run() {
  local name="$1"
  shift
  local corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  for seed in "$@"; do
    [ -f "$seed" ] && cp -f "$seed" "$corpus/"
  done
  echo "fuzzing $name for ${seconds}s"
  (cd "$build" && "./$name" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
     -print_final_stats=0 "$corpus" 2>"$build/$name.log") || {
    tail -n 60 "$build/$name.log" >&2
    echo "$name failed; log: $build/$name.log" >&2
    return 1
  }
  tail -n 1 "$build/$name.log"
}

ninja -C "$build" -j2 subvane_cjson_dll32 subvane_cjson_dll64 >/dev/null 2>&1 || true
run loader_fuzz "$build/tools/cjson-dll/cjson32.dll" "$build/tools/cjson-dll/cjson64.dll"
run json_fuzz "$root/../shared/drafts/json-small-7.json"
