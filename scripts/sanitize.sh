#!/usr/bin/env bash
# Builds the playback engine's tests and the playback stress test with a sanitizer, in
# a build folder of its own, and runs them under a virtual display: first on the small
# demo pairs, then on camera-like 1080p pairs. Slow (on two cores the first thread
# build takes about 20 minutes, a run about 6), so it is not part of scripts/test.sh.
# Usage: scripts/sanitize.sh [--address | --thread] [--demo-only]
#   --address    AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan (default)
#   --thread     ThreadSanitizer, in build-tsan
#   --demo-only  skips the 1080p round
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SANITIZER=address
CAMERA=1
while [ $# -gt 0 ]; do
  case "$1" in
    --address) SANITIZER=address; shift ;;
    --thread) SANITIZER=thread; shift ;;
    --demo-only) CAMERA=0; shift ;;
    *) echo "usage: scripts/sanitize.sh [--address | --thread] [--demo-only]" >&2; exit 2 ;;
  esac
done

SUPPRESSIONS="$ROOT/tests/sanitizer"
if [ "$SANITIZER" = thread ]; then
  BUILD="${TOVIK_TSAN_BUILD_DIR:-$ROOT/build-tsan}"
  # A report fails the test process (exit code 66) instead of passing by unseen. The
  # tests start ffmpeg and the demo generator through QProcess, whose forked child only
  # calls exec: TSan's refusal of threads after a fork does not apply.
  export TSAN_OPTIONS="suppressions=$SUPPRESSIONS/thread.supp exitcode=66 second_deadlock_stack=1 history_size=4 die_after_fork=0"
else
  BUILD="${TOVIK_ASAN_BUILD_DIR:-$ROOT/build-asan}"
  # Leaks are not checked: Qt, Mesa and fontconfig keep allocations until exit on purpose.
  export ASAN_OPTIONS="detect_leaks=0 abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1"
fi

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVIK_SANITIZER="$SANITIZER" \
  -DTOVIK_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target mpv_engine_test playback_stress_test

cd "$BUILD"
run() {
  xvfb-run -a -s "-screen 0 1280x800x24" ctest --output-on-failure --timeout 5400 -R "$1"
}
echo "sanitize ($SANITIZER): engine tests and the stress test on demo pairs"
TOVIK_STRESS_CAMERA=0 run "MpvEngine(Pair)?Test\.|^StressFixture\."
if [ "$CAMERA" = 1 ]; then
  echo "sanitize ($SANITIZER): the stress test on 1080p pairs"
  TOVIK_STRESS_CAMERA=1 run "^StressFixture\."
fi
