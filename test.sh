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

passed=0 failed=0 skipped=0
for preset in native fuzz win64 win32; do
  echo "== tests: $preset"
  junit="$ROOT/build/$preset/ctest-results.xml"
  rm -f "$junit"
  ctest --preset "$preset" --output-junit "$junit" </dev/null
  # Counted from ctest's JUnit report, not from its printed lines.
  if ! counts=$(python3 tools/junit-counts "$junit"); then
    echo "test.sh: no test report for $preset" >&2
    failed=$((failed + 1))
    continue
  fi
  read -r p f s <<<"$counts"
  passed=$((passed + p)); failed=$((failed + f)); skipped=$((skipped + s))
done

echo
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
