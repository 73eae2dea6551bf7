#!/bin/sh
# Runs one golden case of cases.txt: writes a demo card with fixed options,
# runs `tovik` in it and compares the whole output with the stored file
# (check), or stores the output as the new expectation (update).
# usage: golden.sh check|update CASE
# Needs TOVIK_BUILD_DIR; works in TOVIK_TEST_TMP, or a temporary folder.
set -u
mode="$1"
name="$2"
here="$(cd "$(dirname "$0")" && pwd)"
build="${TOVIK_BUILD_DIR:?}"
line="$(grep -v '^#' "$here/cases.txt" | awk -v n="$name" '$1 == n')"
if [ -z "$line" ]; then
  echo "golden: no case $name in cases.txt" >&2
  exit 2
fi
work="${TOVIK_TEST_TMP:-}"
if [ -z "$work" ]; then
  work="$(mktemp -d)" || exit 1
  trap 'rm -rf "$work"' EXIT
fi
card="$work/card"
rm -rf "$card"
# Fixed seed and length, and no video: the data track, config.bin, the clock
# file and the drive log are the same bytes on every run.
"$build/demo/tovik-demo-card" "$card" --no-video --duration 2 --seed 1 >/dev/null || exit 1
out="$work/$name.out"
actual="$work/$name.actual"
rm -f "$out"
# The arguments after the name, with @OUT@ set; they hold no blanks of their own.
set -- $(echo "$line" | cut -d' ' -f2- | sed "s|@OUT@|$out|g")
(cd "$card" && "$build/src/cli/tovik" "$@") >"$actual.stdout" || { echo "golden: tovik $* failed" >&2; exit 1; }
if [ -e "$out" ]; then
  mv "$out" "$actual"
else
  mv "$actual.stdout" "$actual"
fi
# Paths the tool makes absolute are compared from the card's folder.
sed -i "s|$card|CARD|g; s|$out|OUT|g" "$actual"
expected="$here/$name"
case "$mode" in
  update)
    cp "$actual" "$expected"
    echo "golden: wrote $name"
    ;;
  check)
    if ! cmp -s "$expected" "$actual"; then
      echo "golden: $name differs from the stored file (scripts/update-golden.sh stores the new one if the change is meant):" >&2
      diff -u "$expected" "$actual" | head -n 60 >&2
      exit 1
    fi
    ;;
  *)
    echo "golden: mode is check or update" >&2
    exit 2
    ;;
esac
