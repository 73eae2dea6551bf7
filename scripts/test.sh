#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test, then each fuzz target
# for a short while, then makes the Debian package and checks it.
# Usage: scripts/test.sh [--fuzz-seconds N] [--stress]
#   --stress  runs the whole suite three times over, four at a time, in random
#             order: what proves that no test depends on another's files.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

FUZZ_SECONDS=10
CTEST_ARGS=(-j "$JOBS")
while [ $# -gt 0 ]; do
  case "$1" in
    --fuzz-seconds) FUZZ_SECONDS="$2"; shift 2 ;;
    --stress) CTEST_ARGS=(-j 4 --schedule-random --repeat until-fail:3); shift ;;
    *) echo "usage: scripts/test.sh [--fuzz-seconds N] [--stress]" >&2; exit 2 ;;
  esac
done

tovik_install
# An include against the library graph fails before anything is built.
python3 "$ROOT/scripts/check-layers.py"
tovik_build

bash "$ROOT/scripts/fuzz.sh" "$FUZZ_SECONDS"

# Video and web-view tests need a real X display; the rest run offscreen.
cd "$BUILD_DIR"
xvfb-run -a -s "-screen 0 1280x800x24" ctest --output-on-failure "${CTEST_ARGS[@]}" --timeout 600

bash "$ROOT/scripts/check-package.sh"
