#!/usr/bin/env bash
# Sets up what is missing, builds and runs Ormind. Until the main window exists this shows the
# day view of a demo data folder (build/demo) on the console with ormind-day; arguments go to
# ormind-day (for example --date 2026-12-31).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
cd "$ROOT"
tools/setup
cmake --preset native >/dev/null
cmake --build --preset native
appdata=$(tools/make-demo-data "$ROOT/build/demo")
APPDATA=$appdata exec build/native/ormind-day "$@"
