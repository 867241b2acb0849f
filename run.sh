#!/usr/bin/env bash
# Sets up what is missing, builds and runs Ormind.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
cd "$ROOT"
tools/setup
cmake --preset native >/dev/null
cmake --build --preset native
echo "Nothing to run yet." >&2
