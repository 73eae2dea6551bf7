#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test, then each fuzz target
# for a short while. Usage: scripts/test.sh [--fuzz-seconds N]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

FUZZ_SECONDS=10
if [ "${1:-}" = "--fuzz-seconds" ]; then FUZZ_SECONDS="$2"; fi

tovik_install
tovik_build

bash "$ROOT/scripts/fuzz.sh" "$FUZZ_SECONDS"

# Video and web-view tests need a real X display; the rest run offscreen.
cd "$BUILD_DIR"
xvfb-run -a -s "-screen 0 1280x800x24" ctest --output-on-failure -j "$JOBS" --timeout 600
