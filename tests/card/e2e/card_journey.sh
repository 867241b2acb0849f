#!/usr/bin/env bash
# End-to-end test of the greeting card under wine64 + Xvfb, as a user would go through it: the
# main window's print button opens the editor, texts are typed (Russian and English, a word of
# sixty characters), the editor's print button shows the card in the preview, the preview's
# Print sends it to a PDF-writing CUPS queue of this test's own, and the PDF page is read back
# as a picture. Then the background picture setting: a JPEG of our own (upper-case .JPG), a
# PNG, a missing file, a .webp and a damaged JPEG, each in a fresh start of the program.
#   card_journey.sh ORMIND_EXE DRIVER_EXE OUT_DIR      (OUT_DIR keeps screenshots and pages)
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2")
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
require_programs pdfinfo pdftoppm xdotool
shots_in "$3"
rm -f "$shots"/*.pdf
probe="python3 $(dirname "$0")/ink_probe.py"
use_print_queue

# A screenshot as a binary PPM, for the probe.
ppm_shot() { convert "$(shot "$1")" "$work/$1.ppm"; echo "$work/$1.ppm"; }
pdf_count() { ls "$work"/pdf/*.pdf 2>/dev/null | wc -l; }
# Waits for the queue to write one more PDF than `before`; prints its name.
next_pdf() {  # next_pdf BEFORE
  for _ in $(seq 150); do
    if [ "$(pdf_count)" -gt "$1" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then
      sleep 0.5
      ls -t "$work"/pdf/*.pdf | head -n1
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# --- The program ----------------------------------------------------------------------------
write_events() { printf '[Birthday]\r\nAnna=09.12.1990\r\n' >"$1"; }
# The day's notification is turned off here: while wine showed its balloon, the keys typed into
# the reopened editor went elsewhere although the editor was the active window and held the
# focus (the program's own state was right; e2e.notification checks the notification itself).
start_program() {  # start_program NAME PRINT_PICTURE LANG
  extra_settings=$'Notify=0\r\n' start_ormind "$work/appdata-$1" "$3" "$2"
}

open_editor() {  # presses the main window's btn4
  window_origin
  click_at 160 268
  check "the editor opens" 'run_driver wait TForm2 10000 >/dev/null' || return 1
  sleep 0.5
  read -r ex ey ex2 ey2 < <(run_driver rect TForm2)
}
editor_click() { window_origin TForm2; click_at "$1" "$2"; }
press_print() { editor_click 360 52; }  # btn1
preview_shown() { run_driver wait TRptStandardPreview 15000 >/dev/null; }
close_preview() {  # wine takes about two seconds to take an unmanaged window off the screen
  run_driver post-close TRptStandardPreview >/dev/null
  run_driver gone TRptStandardPreview 10000 >/dev/null && sleep 2.5
}
# The colour at the middle of the preview's page area, as 0xRRGGBB.
preview_page_colour() {  # preview_page_colour SHOT_NAME
  local px py px2 py2
  read -r px py px2 py2 < <(run_driver rect TRptStandardPreview)
  pixel "$(shot "$1")" $(((px + px2) / 2)) $((py + (py2 - py) * 3 / 4))
}
near() {  # near RRGGBB RRGGBB: channels within 24
  python3 -c "import sys;a,b=sys.argv[1:];print(all(abs(int(a[i:i+2],16)-int(b[i:i+2],16))<=24 for i in (0,2,4)))" "$1" "$2"
}

# --- 1. Writing and printing a card ---------------------------------------------------------
start_program texts "" 1049
open_editor || exit 1
check_eq "the editor is 446 x 336, centred on the screen" \
  "446 336 $(( ($(xdotool getdisplaygeometry | cut -d' ' -f1) - 446) / 2 ))" \
  "$((ex2 - ex)) $((ey2 - ey)) $ex"
long_word=$(printf 'Supercalifragilisticexpialidocious%.0s' 1 2 | cut -c1-60)
# Typed field by field with Tab; the greeting's lines with Enter; then Shift+Tab twice goes
# back to the salutation, where End and a "!" finish it.
xdotool type --delay 40 "Dear Anna"; xdotool key Tab
xdotool type --delay 40 "Happy birthday to you"; xdotool key Return
xdotool type --delay 40 "Счастья и радости"; xdotool key Return
xdotool type --delay 20 "$long_word"; xdotool key Tab
xdotool type --delay 40 "Paul"
xdotool key shift+Tab shift+Tab End; xdotool type --delay 40 "!"
sleep 0.5
check_eq "Tab, Enter and Shift+Tab reach the fields in their order" "Dear Anna!" \
  "$(run_driver text TForm2 Edit)"
shot editor_filled >/dev/null
press_print
if preview_shown; then pass "the editor's print button opens the preview"; else fail "the preview opens"; fi
sleep 1.5
s=$(ppm_shot preview_card)
read -r px py px2 py2 < <(run_driver rect TRptStandardPreview)
check_ge "the salutation shows in red in the preview" 100 "$($probe "$s" "$px" "$py" "$px2" "$py2" FF0000 60 --pixels)"
check_ge "the greeting shows in navy in the preview" 300 "$($probe "$s" "$px" "$py" "$px2" "$py2" 000080 50 --pixels)"

check_eq "Print is enabled once the card is made" enabled "$(run_driver button TRptStandardPreview 109)"
# The preview's Print: the toolbar's ninth button, 221 pixels from the window's left edge and
# 36 below its top (the caption wine leaves undrawn, the border, half the toolbar).
pdfs=$(pdf_count)
xdotool mousemove $((px + 221)) $((py + 36)); sleep 0.3; xdotool mousedown 1; sleep 0.2; xdotool mouseup 1
sleep 2; shot after_print >/dev/null
if pdf=$(next_pdf "$pdfs"); then pass "Print sends the card to the printer"; else
  fail "a PDF is written"; lpstat -t; tail -5 "$work/log/error_log"; fi
if [ -n "${pdf:-}" ]; then
  cp "$pdf" "$shots/card.pdf"
  check_eq "one A4 page" "1 595x842" \
    "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p') $(pdfinfo "$pdf" | sed -n 's/^Page size: *\([0-9]*\)[0-9.]* x \([0-9]*\)[0-9.]* pts.*/\1x\2/p')"
  pdftoppm -r 50 -png -singlefile "$pdf" "$shots/card_page"
  pdftoppm -r 50 -singlefile "$pdf" "$work/page"
  page=$work/page.ppm
  check_ge "the background's rose frame at the top left corner" 20 "$($probe "$page" 0 0 15 15 F5D5D5 30)"
  check_ge "the background's rose frame at the bottom right corner" 20 "$($probe "$page" 195 282 210 297 F5D5D5 30)"
  check_ge "the salutation is red, centred high on the page" 40 "$($probe "$page" 80 50 130 75 FF0000 70)"
  check_eq "no red left or right of the salutation's middle band" 0 "$($probe "$page" 0 50 60 75 FF0000 40)"
  check_ge "the greeting is navy inside its box" 200 "$($probe "$page" 44 97 174 204 000080 60)"
  check_eq "no navy outside the greeting's box" 0 "$($probe "$page" 0 205 210 297 000080 40)"
  check_ge "the signature is maroon, centred low on the page" 20 "$($probe "$page" 85 212 125 226 800000 50)"
  if command -v pdftotext >/dev/null && pdftotext "$pdf" - | tr -d ' \n' | grep -q "$long_word"; then
    pass "every character of the sixty-character word is on the page"
  else
    # Without extractable text: the word runs on into a second line of its own.
    check_ge "the long word's rest continues on the next line" 30 "$($probe "$page" 44 118 120 127 000080 60)"
  fi
fi
close_preview && pass "the preview closes" || fail "the preview closes"

# Closing the editor only hides it: the texts are there when it opens again.
editor_click 400 52   # btn2
run_driver gone TForm2 5000 >/dev/null && pass "the close button hides the editor" || fail "the editor hides"
open_editor
check_eq "reopened, the editor still holds the salutation" "Dear Anna!" "$(run_driver text TForm2 Edit)"

# Empty fields print only the background.
for field in 1 2 3; do xdotool key ctrl+a BackSpace Tab; done
press_print
preview_shown && sleep 1.5
s=$(ppm_shot preview_empty)
read -r px py px2 py2 < <(run_driver rect TRptStandardPreview)
# A salutation gives hundreds of red pixels and a greeting thousands of navy ones; the
# background's bows and flowers have a few close to red.
check_le "empty fields: no salutation on the card" 30 \
  "$($probe "$s" "$px" "$py" "$px2" "$py2" FF0000 40 --pixels)"
check_le "empty fields: no greeting on the card" 30 \
  "$($probe "$s" "$px" "$py" "$px2" "$py2" 000080 30 --pixels)"
close_preview
stop_program

# --- 2. The background picture setting ------------------------------------------------------
convert -size 160x226 xc:'#30A0A0' -quality 92 "$work/teal.JPG"
convert -size 160x226 xc:'#A04080' "$work/plum.png"
head -c 200 "$work/teal.JPG" >"$work/damaged.jpg"; printf 'garbage' >>"$work/damaged.jpg"
printf 'RIFF\x10\x00\x00\x00WEBPVP8 ' >"$work/card.webp"
while IFS='|' read -r name file expect; do
  start_program "$name" "$(winpath "$work/$file")" 1033
  open_editor || continue
  press_print
  case $expect in
    colour:*)
      if preview_shown; then
        sleep 1.5
        got=$(preview_page_colour "picture_$name")
        [ "$(near "${expect#colour:}" "$got")" = True ] && pass "$name: the card shows it ($got)" \
          || fail "$name: the card shows ${expect#colour:}, got $got"
        close_preview
      else
        fail "$name: the preview opens"
      fi
      ;;
    message:*)
      text=$(run_driver message 10000)
      case $text in
        "${expect#message:}"*) pass "$name: the message \"$text\"" ;;
        *) fail "$name: expected the message \"${expect#message:}...\", got \"$text\"" ;;
      esac
      shot "message_$name" >/dev/null
      run_driver dismiss >/dev/null; sleep 0.5
      run_driver wait TRptStandardPreview 1000 >/dev/null && fail "$name: no preview opens" \
        || pass "$name: no preview opens"
      # The editor is still open and takes typing.
      editor_click 100 50; xdotool type --delay 40 "Still here"
      check_eq "$name: the editor is still usable" "Still here" "$(run_driver text TForm2 Edit)"
      ;;
  esac
  grep -q "PrintPicture=$(winpath "$work/$file" | sed 's/\\/\\\\/g')" "$settings_file" \
    && pass "$name: the setting stays in the file" || fail "$name: the setting stays in the file"
  stop_program
done <<'CASES'
jpeg_upper_case|teal.JPG|colour:30a0a0
png|plum.png|colour:a04080
missing|absent.jpg|colour:fefdf8
webp|card.webp|message:Unknown picture file extension (.webp)
damaged_jpeg|damaged.jpg|message:JPEG error #
CASES

# --- The page stream's temporary file outlives no run --------------------------------------
# One left by a run that never closed it is swept at the next start; the card's own (its page
# stream passes 100,000 bytes) is there while the preview shows, and when the program is
# killed from outside with the preview open the system deletes it.
temp_dir=$(wine_unix_path "$(wine_out cmd /c 'echo %TEMP%')")
page_streams() { find "$temp_dir" -maxdepth 1 -name 'ORP*.tmp' 2>/dev/null | sort; }
printf 'stale' >"$temp_dir/ORP7F3E.tmp"
start_program killed "" 1033
check "a page stream left by an earlier run is swept at start" '[ ! -e "$temp_dir/ORP7F3E.tmp" ]'
open_editor
press_print
check "the card's preview shows" preview_shown
sleep 1
check "the preview's pages are in a temporary ORP*.tmp file" '[ -n "$(page_streams)" ]'
stop_program  # TerminateProcess: no destructor runs
sleep 1
check_eq "killed with the preview open, no ORP*.tmp is left" "" "$(page_streams)"

finish "pictures in $shots"
