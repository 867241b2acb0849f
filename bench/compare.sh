#!/usr/bin/env bash
# Times ormind-day against two other reminder programs (Debian's birthday and remind) on the
# same generated entries, process start included, with hyperfine, beside the floor (read-floor:
# reading the same file in 64 KB pieces and counting its lines); then runs the in-process
# benchmarks of the core.
#   bench/compare.sh [entries]      default 100000
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
entries=${1:-100000}
tools/setup
# What only the benchmarks use: Google Benchmark, hyperfine and the two programs compared.
bench_packages=(libbenchmark-dev hyperfine birthday remind)
missing=()
for p in "${bench_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
cmake --preset bench >/dev/null
cmake --build --preset bench --target ormind-day make-bench-data read-floor core_bench >/dev/null

data=$ROOT/build/bench-data/$entries
build/bench/bench/core/make-bench-data "$entries" "$data"
# ormind-day reads $APPDATA/Ormind; every program shows today and the next three days.
export APPDATA=$data/appdata
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
hyperfine -N --warmup 10 --runs 100 --export-markdown "$data/hyperfine.md" \
  --export-json "$data/hyperfine.json" \
  -n floor "$ROOT/build/bench/bench/core/read-floor $APPDATA/Ormind/events.txt" \
  -n ormind-day "$ROOT/build/bench/ormind-day" \
  -n birthday "birthday -f $data/birthdays -W 3" \
  -n remind "remind -q $data/remind.rem"
# The goals: within 2x the floor, at least 10x faster than each of the others (medians).
python3 - "$data/hyperfine.json" <<'PY'
import json, sys
median = {r["command"]: r["median"] * 1000 for r in json.load(open(sys.argv[1]))["results"]}
day = median["ormind-day"]
print("medians: " + ", ".join(f"{name} {ms:.2f} ms" for name, ms in median.items()))
print(f"ormind-day / floor: {day / median['floor']:.2f} (goal: at most 2)")
for peer in ("birthday", "remind"):
    print(f"{peer} / ormind-day: {median[peer] / day:.1f} (goal: at least 10)")
PY
build/bench/bench/core/core_bench
