# Shared by the scripts: paths and the one build step.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TOVIK_BUILD_DIR:-$ROOT/build}"
FUZZ_BUILD_DIR="${TOVIK_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
JOBS="$(nproc)"

tovik_install() {
  bash "$ROOT/scripts/install-deps.sh"
}

# tovik_build [TARGET…]: configures and builds the named targets, or everything.
tovik_build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  local targets=()
  for target in "$@"; do targets+=(--target "$target"); done
  cmake --build "$BUILD_DIR" -j "$JOBS" "${targets[@]}"
}
