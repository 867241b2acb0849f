#!/usr/bin/env bash
# Printing onto a real queue: starts a private CUPS scheduler with a PDF-writing queue, prints
# numbered test reports through `ormind-report print` and the page printer (queue_jobs_test),
# and reads the PDFs back: page count, page size, and which page each sheet shows (the colour
# of its top band); and prints a one-square page through a queue with an inkjet's unprintable
# margins, measuring the square's size and place on the sheet. Removes the scheduler, the
# queues and their configuration afterwards.
#   print_queue.sh ORMIND_REPORT_EXE MAKE_TEST_REPORT_EXE QUEUE_JOBS_TEST_EXE SQUARE_REPORT_EXE OUT_DIR
# OUT_DIR keeps the PDFs and PNGs of the last run to look at.
set -uo pipefail
tool=$(realpath "$1") maker=$(realpath "$2") jobs_test=$(realpath "$3") square=$(realpath "$4")
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
require_programs pdfinfo pdftoppm
shots_in "$5"
rm -f "$shots"/*.pdf
use_print_queue

wine_run() { "$wine" "$@" </dev/null; }
title_of() { pdfinfo "$1" | sed -n 's/^Title: *//p'; }
# The sheets of a PDF: "WIDTHxHEIGHT" in points as the sheet is seen (a landscape page is a
# portrait one turned by 90 degrees), then the page number each sheet's band shows.
sheet_size() {
  pdfinfo "$1" | awk '/^Page size:/ {w = $3; h = $5} /^Page rot:/ {r = $3}
                      END {if (r == 90 || r == 270) print h "x" w; else print w "x" h}'
}
read_sheets() {
  local size
  size=$(sheet_size "$1")
  pdftoppm -r 10 "$1" "$work/sheet"
  echo "$size $(python3 "$(dirname "$0")/sheet_pages.py" "$work"/sheet-*.ppm)"
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
  pdfs=$(print_queue_idle)
  check_eq "$what: one job" 1 "$(echo "$pdfs" | grep -c .)"
  pdf=$(echo "$pdfs" | head -n1)
  [ -n "$pdf" ] || continue
  check_eq "$what: job title" "$title" "$(title_of "$pdf")"
  check_eq "$what" "$expected" "$(read_sheets "$pdf")"
  mv "$pdf" "$shots/${what//[ ,]/_}.pdf"
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
check_eq "failed commands spool nothing" "" "$(print_queue_idle)"

# The page printer itself: a cancel from the message pump, a hundred jobs.
if wine_run "$jobs_test" >"$work/out" 2>&1 && grep -q '\[  PASSED  \] 3 tests' "$work/out"; then
  pass "queue_jobs_test: its 3 tests pass"
else
  fail "queue_jobs_test: $(grep -E 'Failure|Which is|FAILED' "$work/out" | head -n 8)"
fi
titles=$(print_queue_idle | while read -r pdf; do title_of "$pdf"; done)
check_eq "the cancelled generation spooled nothing" 0 "$(grep -c '^Queue test cancelled$' <<<"$titles")"
check_eq "the print cancelled in the progress window spooled nothing" 0 \
  "$(grep -c '^Queue test progress cancelled$' <<<"$titles")"
check_eq "the print operation run to its end spooled its job" 1 \
  "$(grep -c '^Queue test progress finished$' <<<"$titles")"
check_eq "of a hundred jobs the ten not abandoned printed" 10 "$(grep -c '^Queue test hundred$' <<<"$titles")"
finished=$(print_queue_idle | while read -r pdf; do [ "$(title_of "$pdf")" = "Queue test finished" ] && echo "$pdf"; done)
check_eq "the report run to its end printed five A4 pages" "595x842 5" \
  "$(read_sheets "$finished" | awk '{print $1, NF - 1}')"
[ -n "$finished" ] && cp "$finished" "$shots/generated.pdf"

# True size on a sheet with unprintable margins: the driver must report them (else the check
# proves nothing), and the 10 mm square 20 mm from the sheet's corner must print there, whether
# the page is generated onto the printer or a saved report's page is played onto it.
check_eq "the margins queue reports its offsets (0.1 mm)" "34 30 2031 2813 2099 2970" \
  "$(wine_run "$square" caps OrmindMargins portrait | tr -d '\r')"
within() {  # within WHAT "L T W H" (mm): the place within 0.5 mm of 20 20, the size 0.3 of 10 10
  awk -v got="$2" 'BEGIN {n = split(got, v, " "); if (n != 4) exit 1
    split("20 20 10 10", want, " "); split("0.5 0.5 0.3 0.3", slack, " ")
    for (i = 1; i <= 4; i++) if (v[i] - want[i] > slack[i] || want[i] - v[i] > slack[i]) exit 1}' &&
    pass "$1: $2" || fail "$1: square at \"$2\", expected 20 20 10 10 (mm; place 0.5, size 0.3)"
}
rm -f "$work"/pdf/*.pdf
for turn in portrait landscape; do
  wine_run "$square" save "$(winpath "$work/square-$turn.orp")" "$turn" || fail "square_report save $turn"
  for how in generated saved; do
    if [ "$how" = generated ]; then wine_run "$square" print OrmindMargins "$turn"
    else wine_run "$tool" print "$(winpath "$work/square-$turn.orp")" --printer OrmindMargins >/dev/null; fi
    pdf=$(print_queue_idle | head -n1)
    [ -n "$pdf" ] || { fail "$how $turn square: nothing printed"; continue; }
    check_eq "$how $turn square: the sheet as printed" \
      "$([ "$turn" = portrait ] && echo 595x842 || echo 842x595)" "$(sheet_size "$pdf")"
    pdftoppm -r 600 -gray -x 0 -y 0 -W 1500 -H 1500 -singlefile "$pdf" "$work/corner"
    within "$how $turn page on the margins queue" \
      "$(python3 "$(dirname "$0")/sheet_square.py" "$work/corner.pgm" 600)"
    mv "$pdf" "$shots/square_${how}_$turn.pdf"
  done
done

for pdf in "$shots"/*.pdf; do pdftoppm -r 40 -png "$pdf" "${pdf%.pdf}"; done
finish
