#!/bin/sh
# Runs one test process with folders of its own: ctest starts tests side by side
# (and in random order), so no two processes may share a card, a capture file,
# the application's settings or its cache. The folder is removed when the test
# passes and kept for a look when it fails.
root="${TOVIK_TEST_TMP_ROOT:?}"
mkdir -p "$root" || exit 1
own="$(mktemp -d "$root/run.XXXXXX")" || exit 1
mkdir -p "$own/tmp" "$own/config" "$own/cache" "$own/data" "$own/runtime" || exit 1
chmod 700 "$own/runtime"
TOVIK_TEST_TMP="$own" TMPDIR="$own/tmp" XDG_CONFIG_HOME="$own/config" XDG_CACHE_HOME="$own/cache" \
  XDG_DATA_HOME="$own/data" XDG_RUNTIME_DIR="$own/runtime" "$@"
status=$?
if [ "$status" -eq 0 ]; then rm -rf "$own"; fi
exit "$status"
