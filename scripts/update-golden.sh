#!/bin/sh
# Rewrites the golden files of tests/golden from what the built `tovik` prints
# now. Run it after a change of an output format that is meant, then read the
# diff before committing it.
# usage: scripts/update-golden.sh [BUILD_DIR]   (default: build)
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cmake --build "$build" --target tovik tovik-demo-card
grep -v '^#' "$root/tests/golden/cases.txt" | while read -r name _; do
  [ -n "$name" ] || continue
  TOVIK_BUILD_DIR="$build" "$root/tests/golden/golden.sh" update "$name"
done
