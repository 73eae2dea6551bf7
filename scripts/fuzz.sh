#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for N seconds
# (default 10) from a seed corpus written by code.
# Usage: scripts/fuzz.sh [SECONDS]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
SECONDS_PER_TARGET="${1:-10}"

cmake -S "$ROOT" -B "$FUZZ_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOVIK_FUZZ=ON >/dev/null
cmake --build "$FUZZ_BUILD_DIR" -j "$JOBS"

shopt -s nullglob
targets=("$FUZZ_BUILD_DIR"/fuzz/*_fuzzer)
passed=0
for target in "${targets[@]}"; do
  name="$(basename "$target")"
  corpus="$FUZZ_BUILD_DIR/corpus/$name"
  mkdir -p "$corpus"
  seeds="$FUZZ_BUILD_DIR/fuzz/${name%_fuzzer}_seeds"
  if [ -x "$seeds" ]; then "$seeds" "$corpus"; fi
  echo "fuzz: $name for ${SECONDS_PER_TARGET}s"
  "$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=5 -rss_limit_mb=2048 \
    -print_final_stats=0 "$corpus" >"$FUZZ_BUILD_DIR/$name.log" 2>&1 || {
      tail -40 "$FUZZ_BUILD_DIR/$name.log"; echo "fuzz: $name FAILED"; exit 1; }
  passed=$((passed + 1))
done
echo "fuzz targets without a crash: ${passed}"
