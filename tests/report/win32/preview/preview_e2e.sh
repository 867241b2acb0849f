#!/usr/bin/env bash
# End-to-end test of the print preview on a saved report: Ormind.exe FILE.ORP under wine64 on
# the display in DISPLAY, driven by keys (xdotool) and the driver program, which reads the
# status bar, toolbar states and window geometry from inside the wine session.
#   preview_e2e.sh ORMIND_EXE DRIVER_EXE RECORD_SAMPLE_PAGE_EXE ORMIND_REPORT_EXE [SHOTS_DIR]
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2") recorder=$(realpath "$3") tool=$(realpath "$4")
# shellcheck source=../../../lib/e2e.sh
source "$(dirname "$0")/../../../lib/e2e.sh"
need_display
[ -n "${5:-}" ] && shots_in "$5"
page_info() { run_driver panel TRptStandardPreview 1; }
key() { xdotool key "$@"; sleep 0.4; }
saved_copy() { find "$work" -maxdepth 1 -iname copy.orp | head -n1; }
count_titled() { run_driver titles "$1" | grep -c .; }
dialog() {  # dialog BUTTON TITLE PATH: press BUTTON, and once the dialog is up, enter PATH
  run_driver press $W "$1" >/dev/null
  eventually 1 count_titled "$2" >/dev/null
  sleep 0.5
  xdotool type --delay 20 "$(winpath "$3")"; sleep 0.3; xdotool key Return
}
W=TRptStandardPreview

# Pages recorded through GDI, packed into report files of 5 and of 60 pages.
"$wine" "$recorder" "$(winpath "$work/page.emf")" </dev/null >/dev/null 2>&1
pack() {  # pack OUT COUNT
  local pages=() i
  for ((i = 0; i < $2; i++)); do pages+=("$(winpath "$work/page.emf")"); done
  "$wine" "$tool" pack "$(winpath "$1")" "${pages[@]}" </dev/null >/dev/null 2>&1
}
pack "$work/five.orp" 5
pack "$work/many.orp" 60
printf 'not a report file at all, just some text that is long enough to be read as a header...%.0s' \
  1 2 3 >"$work/bad.orp"

start() {  # start FILE: the program on FILE, in the background; its exit status lands in $work/status
  rm -f "$work/status"
  ( "$wine" "$ormind" "$(winpath "$1")" </dev/null >/dev/null 2>&1; echo $? >"$work/status" ) &
  program_pid=$!
}
ended() {  # ended [SECONDS]: the program's exit status once it has ended
  local i
  for ((i = 0; i < ${1:-10} * 10; i++)); do
    [ -s "$work/status" ] && { cat "$work/status"; program_pid=; return 0; }
    sleep 0.1
  done
  echo "still running"
}

# Keys go to the window in front: no other window of the program may be open.
no_program_window $W TForm1

# --- The five-page file: pages, keys, resize, save, load, Alt+C ---
start "$work/five.orp"
require "the preview window appears" 'run_driver wait $W 20000 >/dev/null'
sleep 1
check_eq "opened on the first page" "Page 1 of 5" "$(page_info)"
check_eq "no progress for a loaded file" "0%" "$(run_driver panel $W 0)"
check_eq "zoom to width pressed" "enabled checked" "$(run_driver button $W 103)"
check_eq "Print enabled on a loaded file" "enabled" "$(run_driver button $W 109)"
check_eq "Printer setup stays off for a loaded file" "disabled" "$(run_driver button $W 108)"
shot preview_first_page >/dev/null
# Alone, the preview is a window of its own: no owner, so a taskbar button of its own, and
# minimised it goes down to that button and comes back up maximised.
check_eq "the preview has no owner (its own taskbar button)" "none" "$(run_driver owner $W)"
run_driver post $W - 0x0112 0xF020 0 >/dev/null  # SC_MINIMIZE
check_eq "minimised" "1 1 1" "$(eventually "1 1 1" run_driver state $W)"
run_driver post $W - 0x0112 0xF120 0 >/dev/null  # SC_RESTORE
check_eq "restored" "1 0 1" "$(eventually "1 0 1" run_driver state $W)"
check_eq "... maximised again" "yes" "$(run_driver zoomed $W)"
shot preview_restored >/dev/null

key End
check_eq "End shows the last page" "Page 5 of 5" "$(page_info)"
key ctrl+Prior
check_eq "Ctrl+Page Up shows the first page" "Page 1 of 5" "$(page_info)"
key Next
check_eq "Page Down shows the next page" "Page 2 of 5" "$(page_info)"
key ctrl+shift+Next
check_eq "Ctrl+Shift+Page Down is only the next page" "Page 3 of 5" "$(page_info)"
key ctrl+Next
check_eq "Ctrl+Page Down shows the last page" "Page 5 of 5" "$(page_info)"

# Fit width: the image is R(width / 794 * 90) % of the page, so its width follows the area's.
image_width() { read -r l _ r _ < <(run_driver childrect $W TRptPreviewImage); echo $((r - l)); }
area_width() { read -r l _ r _ < <(run_driver childrect $W TRptPreview); echo $((r - l)); }
expected_fit() { python3 -c "print(round($1 / 794 * 90) * 794 // 100 + 4)"; }
run_driver press $W 103 >/dev/null; sleep 0.5  # zoom to width
run_driver resize $W 800 600 >/dev/null; sleep 1
w1=$(area_width); i1=$(image_width)
run_driver resize $W 500 600 >/dev/null; sleep 1
w2=$(area_width); i2=$(image_width)
if [ "$w1" != "$w2" ] && [ $((i1 - $(expected_fit "$w1"))) -ge -1 ] && [ $((i1 - $(expected_fit "$w1"))) -le 1 ] \
   && [ $((i2 - $(expected_fit "$w2"))) -ge -1 ] && [ $((i2 - $(expected_fit "$w2"))) -le 1 ]; then
  pass "resizing re-fits the page width ($w1 -> $i1, $w2 -> $i2)"
else
  fail "resizing re-fits the page width (area $w1 image $i1, area $w2 image $i2)"
fi
shot preview_resized >/dev/null

# Save: a name typed without an extension gets .ORP; the file opens again in the tool.
saved=$work/copy
dialog 110 "Save report" "$saved"
# Windows names are case-blind; wine's dialog writes the default extension in lower case.
written=$(eventually "$work/copy.orp" saved_copy)
[ -n "$written" ] || written=$(eventually "$work/copy.ORP" saved_copy)
if [ -n "$written" ]; then pass "Save writes name.ORP"; else fail "Save writes name.ORP"; fi
saved=${written%.*}
check_eq "the saved file holds five pages" "PageTotal: 5" \
  "$("$wine" "$tool" info "$(winpath "$written")" </dev/null 2>/dev/null | tr -d '\r' | grep PageTotal)"
# Saving onto it again asks first; No leaves the file alone.
before=$(stat -c %i "$written")
dialog 110 "Save report" "$written"
check_eq "saving over a file asks first (a second window titled Save report)" "2" \
  "$(eventually 2 count_titled "Save report")"
shot overwrite_prompt >/dev/null
xdotool key Escape; sleep 0.5; eventually 1 count_titled "Save report" >/dev/null
xdotool key Escape; sleep 0.5
check_eq "both closed again" "0" "$(eventually 0 count_titled "Save report")"
check_eq "answering no keeps the file" "$before" "$(stat -c %i "$written")"

# Load: the copy opens on its first page.
key End
dialog 111 "Load report" "$written"
check_eq "Load shows the loaded file's first page" "Page 1 of 5" "$(eventually "Page 1 of 5" page_info)"
dialog 111 "Load report" "$work/missing.orp"
check_eq "Load of a missing file says so" "File does not exist" "$(run_driver message 3000)"
run_driver dismiss >/dev/null
check_eq "and changes nothing" "Page 1 of 5" "$(page_info)"

key alt+c
check_eq "Alt+C closes the preview and the program ends cleanly" "0" "$(ended 10)"

# --- Esc at once, ten times in a row, on a 60-page file ---
outcomes=()  # each run's exit status, or what went wrong
for _ in $(seq 10); do
  start "$work/many.orp"
  if run_driver wait $W 20000 >/dev/null; then xdotool key Escape; outcomes+=("$(ended 15)")
  else outcomes+=("no window"); fi
  stop_program
done
check_eq "Esc at once ends the program cleanly, ten times in a row" "0 0 0 0 0 0 0 0 0 0" "${outcomes[*]}"

# --- Files that cannot be shown ---
start "$work/bad.orp"
msg=$(run_driver message 20000)
shot invalid_file >/dev/null
case "$msg" in "Not a valid report file: "*) pass "an invalid file is refused: $msg" ;;
  *) fail "an invalid file is refused: got [$msg]" ;; esac
run_driver dismiss >/dev/null
check_eq "and the program exits with status 1" "1" "$(ended 10)"
start "$work/absent.orp"
check_eq "a missing file is named so" "File does not exist" "$(run_driver message 20000)"
run_driver dismiss >/dev/null
check_eq "and the program exits with status 1" "1" "$(ended 10)"

finish
