#!/usr/bin/env bash
# Installs what is missing, builds, writes the demo card and opens it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tovik_install
tovik_build

CARD="$BUILD_DIR/demo-card"
if [ ! -d "$CARD" ]; then
  "$BUILD_DIR/demo/tovik-demo-card" "$CARD"
fi

"$BUILD_DIR/src/cli/tovik" list "$CARD"
first="$(find "$CARD" -iname 'event_*_F.MP4' | sort | head -n 1)"
# sed reads to the end, so a long recording does not fail the pipe.
"$BUILD_DIR/src/cli/tovik" telemetry "$first" --csv | sed -n "1,15p"
