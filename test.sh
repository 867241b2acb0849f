#!/usr/bin/env bash
# Sets up what is missing, builds the native, win64 and win32 configurations, and runs every
# test: native unit tests, Windows tests under wine64 (with a private Xvfb display for anything
# that draws), and the checks on the Windows images.
#   ./test.sh          everything
#   ./test.sh --fuzz   run the fuzzers for a longer, bounded time (a few seconds each otherwise)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
cd "$ROOT"

[ "${1:-}" = --fuzz ] && export ORMIND_FUZZ_SECONDS=${ORMIND_FUZZ_SECONDS:-120}

tools/setup || { echo "test.sh: set-up failed" >&2; exit 1; }

for preset in native fuzz win64 win32; do
  cmake --preset "$preset" >/dev/null || { echo "test.sh: configuring $preset failed" >&2; exit 1; }
  cmake --build --preset "$preset" || { echo "test.sh: building $preset failed" >&2; exit 1; }
done

# A display of our own for the Windows tests, and a persistent wine server that uses it.
source tools/xvfb-start
export WINEPREFIX=$ROOT/build/wineprefix
cleanup() { tools/wine-prefix stop; xvfb_stop; }
trap cleanup EXIT
tools/wine-prefix

passed=0 failed=0
for preset in native fuzz win64 win32; do
  echo "== tests: $preset"
  log=$(mktemp)
  ctest --test-dir "build/$preset" --output-on-failure --timeout 600 </dev/null 2>&1 | tee "$log"
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -n "$summary" ]; then
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad)); failed=$((failed + bad))
  elif ! grep -q 'No tests were found' "$log"; then
    failed=$((failed + 1))
  fi
  rm -f "$log"
done

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
