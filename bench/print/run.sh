#!/usr/bin/env bash
# Times printing the five-page test report under wine on a private PDF queue (see
# print_bench.cpp). Needs the win64 build: cmake --build --preset win64 --target print_bench
#   bench/print/run.sh [RUNS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
build=$ROOT/build/win64
work=$(mktemp -d "${TMPDIR:-/tmp}/ormind-print-bench.XXXXXX")
trap 'print_queue_stop; rm -rf "$work"' EXIT
source "$ROOT/tools/print-queue" "$work"
winpath() { echo "Z:${1//\//\\}"; }
"$ROOT/tools/wine-run" "$build/tests/report/win32/make_test_report.exe" "$(winpath "$work/five.orp")" \
  5 2100 2970 "Five pages" </dev/null
"$ROOT/tools/wine-run" "$build/bench/print/print_bench.exe" "$(winpath "$work/five.orp")" \
  "${1:-11}" </dev/null
