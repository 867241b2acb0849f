#!/usr/bin/env bash
# Runs one fuzzer on a scratch copy of its committed seed corpus for ORMIND_FUZZ_SECONDS
# (default 5) seconds. Inputs that crash are kept in ARTIFACTS for inspection.
#   run-fuzzer.sh FUZZER SEEDS ARTIFACTS
set -uo pipefail
fuzzer=$1 seeds=$2 artifacts=$3
seconds=${ORMIND_FUZZ_SECONDS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "$seeds" 2>&1 \
  | grep -vE '^#[0-9]+\s+(NEW|REDUCE|pulse)'
exit "${PIPESTATUS[0]}"
