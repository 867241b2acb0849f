#!/usr/bin/env bash
# Printing onto a real queue: starts a private CUPS scheduler with a PDF-writing queue, prints
# numbered test reports through `ormind-report print` and the page printer (queue_jobs_test),
# and reads the PDFs back: page count, page size, and which page each sheet shows (the colour
# of its top band). Removes the scheduler, the queue and its configuration afterwards.
#   print_queue.sh ORMIND_REPORT_EXE MAKE_TEST_REPORT_EXE QUEUE_JOBS_TEST_EXE OUT_DIR
# OUT_DIR keeps the PDFs and PNGs of the last run to look at.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
tool=$(realpath "$1") maker=$(realpath "$2") jobs_test=$(realpath "$3") keep=$4
for program in pdfinfo pdftoppm; do
  command -v "$program" >/dev/null || { echo "FAIL: $program is missing (tools/setup installs it)"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/ormind-print.XXXXXX")
cleanup() {
  print_queue_stop 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$keep"
rm -f "$keep"/*.pdf "$keep"/*.png
# shellcheck source=../../../tools/print-queue
source "$ROOT/tools/print-queue" "$work" || { echo "FAIL: no print queue"; exit 1; }

failures=0
pass() { echo "ok:   $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check_eq() { if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi; }
winpath() { echo "Z:${1//\//\\}"; }
wine_run() { "$ROOT/tools/wine-run" "$@" </dev/null; }

# Waits until the queue is idle and its jobs are written; prints the PDFs, oldest first.
queue_idle() {
  for _ in $(seq 150); do
    [ -z "$(lpstat -o 2>/dev/null)" ] && break
    sleep 0.2
  done
  sleep 0.5
  ls -tr "$work"/pdf/*.pdf 2>/dev/null
}
title_of() { pdfinfo "$1" | sed -n 's/^Title: *//p'; }
# The sheets of a PDF: "WIDTHxHEIGHT" in points as the sheet is seen (a landscape page is a
# portrait one turned by 90 degrees), then the page number each sheet's band shows.
read_sheets() {
  local size
  size=$(pdfinfo "$1" | awk '/^Page size:/ {w = $3; h = $5} /^Page rot:/ {r = $3}
                             END {if (r == 90 || r == 270) print h "x" w; else print w "x" h}')
  pdftoppm -r 10 "$1" "$work/sheet"
  echo "$size $(python3 "$ROOT/tests/report/win32/sheet_pages.py" "$work"/sheet-*.ppm)"
  rm -f "$work"/sheet-*.ppm
}

# The test reports (sizes in 0.1 mm; Statement is a paper the queue does not offer).
make_report() { wine_run "$maker" "$(winpath "$work/$1.orp")" "$2" "$3" "$4" "$5"; }
make_report five 5 2100 2970 "Five pages"
make_report wide 2 2970 2100 "Landscape pages"
make_report letter 1 2159 2794 "Letter page"
make_report statement 1 1397 2159 "Statement page"

# name | report | arguments | job title | expected "size pages..."
while IFS='|' read -r what report args title expected; do
  # shellcheck disable=SC2086
  wine_run "$tool" print "$(winpath "$work/$report.orp")" $args >"$work/out" 2>&1
  status=$?
  if [ $status -ne 0 ]; then fail "$what: exit $status: $(cat "$work/out")"; continue; fi
  pdfs=$(queue_idle)
  check_eq "$what: one job" 1 "$(echo "$pdfs" | grep -c .)"
  pdf=$(echo "$pdfs" | head -n1)
  [ -n "$pdf" ] || continue
  check_eq "$what: job title" "$title" "$(title_of "$pdf")"
  check_eq "$what" "$expected" "$(read_sheets "$pdf")"
  mv "$pdf" "$keep/${what//[ ,]/_}.pdf"
done <<'ROWS'
range 2-3|five|--pages 2-3|Five pages|595x842 2 3
range 2-3, two copies as sets|five|--pages 2-3 --copies 2|Five pages|595x842 2 3 2 3
whole report on the named printer|five|--printer OrmindPDF|Five pages|595x842 1 2 3 4 5
landscape pages|wide||Landscape pages|842x595 1 2
a paper the queue offers|letter||Letter page|612x792 1
a paper the queue does not offer keeps its own|statement||Statement page|595x842 1
ROWS

# Failures: one line on standard error, exit 1; usage errors exit 2.
while IFS='|' read -r what args status; do
  # shellcheck disable=SC2086
  wine_run "$tool" print $args >"$work/out" 2>"$work/err"
  got=$?
  check_eq "$what: exit status" "$status" "$got"
  [ "$status" = 1 ] && check_eq "$what: one line on standard error" 1 "$(wc -l <"$work/err")"
done <<ROWS
unknown printer|$(winpath "$work/five.orp") --printer Nowhere|1
range outside the pages|$(winpath "$work/five.orp") --pages 4-9|1
not a report file|$(winpath "$work/etc/cupsd.conf")|1
missing file|$(winpath "$work/none.orp")|1
range backwards|$(winpath "$work/five.orp") --pages 3-2|2
no copies|$(winpath "$work/five.orp") --copies 0|2
no file|--pages 1-2|2
ROWS
check_eq "failed commands spool nothing" "" "$(queue_idle)"

# The page printer itself: a cancel from the message pump, a hundred jobs.
wine_run "$jobs_test" >"$work/out" 2>&1 || fail "queue_jobs_test: $(grep -E 'Failure|Which is|FAILED' "$work/out" | head -n 8)"
grep -q '\[  PASSED  \] 2 tests' "$work/out" && pass "queue_jobs_test"
titles=$(queue_idle | while read -r pdf; do title_of "$pdf"; done)
check_eq "the cancelled generation spooled nothing" 0 "$(grep -c '^Queue test cancelled$' <<<"$titles")"
check_eq "of a hundred jobs the ten not abandoned printed" 10 "$(grep -c '^Queue test hundred$' <<<"$titles")"
finished=$(queue_idle | while read -r pdf; do [ "$(title_of "$pdf")" = "Queue test finished" ] && echo "$pdf"; done)
check_eq "the report run to its end printed five A4 pages" "595x842 5" \
  "$(read_sheets "$finished" | awk '{print $1, NF - 1}')"
[ -n "$finished" ] && cp "$finished" "$keep/generated.pdf"

for pdf in "$keep"/*.pdf; do pdftoppm -r 40 -png "$pdf" "${pdf%.pdf}"; done
echo "$failures failure(s)"
[ $failures -eq 0 ]
