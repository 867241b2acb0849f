#!/usr/bin/env bash
# End-to-end test of the skinned windows' outline under wine64 + Xvfb: the main window and the
# greeting editor are cut out by a window region made from their face, not by a colour key;
# their see-through corners show the desktop; white that the system draws in them (a
# selection in the greeting field) stays white; and activating the program from the taskbar
# while the editor is open brings the editor forward, not the main window it disabled.
#   skinned_windows.sh ORMIND_EXE DRIVER_EXE EDITOR_FACE_PNG
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2") editor_face=$(realpath "$3")
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
[ -n "${ORMIND_E2E_SHOTS:-}" ] && shots_in "$ORMIND_E2E_SHOTS"
write_events() { printf '%s\r\n' '[Birthday]' 'Ivan=01.03.1974' >"$1"; }
start_program() { program_date=$1 start_ormind "$work/appdata-$2" "$2"; }  # start_program DATE LANG

cut_by_region() {  # cut_by_region CLASS: a region of many rectangles, and no layered colour key
  local shape
  shape=$(run_driver shape "$1")
  if [[ $shape =~ ^complex\ [0-9]+$ ]] && [ "${shape#complex }" -gt 4 ]; then
    pass "$1 is cut out by a region of its face ($shape)"
  else
    fail "$1 is cut out by a region of its face: got [$shape]"
  fi
}
count_colour() { convert "$1" -crop "$2" +repage txt:- | grep -c " #$3 "; }  # SHOT WxH+X+Y RRGGBB
eventually_active() {  # the class of the foreground window once it is $1 (5 s at most)
  local got i
  for ((i = 0; i < 20; i++)); do got=$(run_driver active); [ "$got" = "$1" ] && break; sleep 0.25; done
  echo "$got"
}

start_program '2024-03-01 12:00:00' 1033
cut_by_region TForm1

# --- The greeting editor ---------------------------------------------------------------------
click_at 160 268  # print a greeting
require "the editor opens" 'run_driver wait TForm2 10000 >/dev/null'
sleep 0.5
read -r ex ey _ < <(run_driver rect TForm2)
cut_by_region TForm2
s=$(shot editor)
# The editor sits centred, clear of the main window at its left: its rounded corners there
# show the desktop (black), its card the face picture.
check_eq "the editor's upper left corner is see-through" "000000" "$(pixel "$s" "$ex" "$ey")"
check_eq "the editor's lower left corner is see-through" "000000" "$(pixel "$s" "$ex" $((ey + 335)))"
check_eq "the editor's card shows its face" "$(pixel "$editor_face" 200 20)" "$(pixel "$s" $((ex + 200)) $((ey + 20)))"

# A selection is drawn white on the highlight colour: with the window cut out by a colour key
# its letters would be holes showing the desktop.
xdotool key Tab; sleep 0.3
xdotool type --delay 30 "Happy birthday, dear friend"; sleep 0.3
xdotool key shift+Home; sleep 0.6
s=$(shot editor_selection)
line="200x14+$((ex + 36))+$((ey + 90))"  # the selected line, right of the caret at its start
white=$(count_colour "$s" "$line" FFFFFF) black=$(count_colour "$s" "$line" 000000)
[ "$white" -gt 50 ] && pass "the selected letters are drawn white ($white pixels)" \
  || fail "the selected letters are drawn white ($white pixels)"
check_eq "no see-through pixel inside the selection" 0 "$black"

# The taskbar button activates the program's hidden owner window: the modal editor comes
# forward, over the disabled main window.
run_driver activate TApplication >/dev/null
check_eq "activated from the taskbar, the editor takes the activation" TForm2 "$(eventually_active TForm2)"
check_eq "... and stays above the main window" yes "$(run_driver above TForm2 TForm1)"

xdotool mousemove $((ex + 400)) $((ey + 52)); sleep 0.2; xdotool click 1  # the editor's close
run_driver gone TForm2 5000 >/dev/null && pass "the editor closes" || fail "the editor closes"
sleep 0.5
run_driver activate TApplication >/dev/null
check_eq "with the editor closed the taskbar activates the main window" TForm1 "$(eventually_active TForm1)"

run_driver post-close TForm1 >/dev/null
program_ends || fail "the program ends"
finish
