#!/usr/bin/env bash
# End-to-end test of what the main window gets from the platform: the day heading with the
# event list missing, thumb dragging (in wine's default theme, whose thumb is white) and wheel
# steps of any size in a long day, minimising the
# taskbar button and showing the window from the tray, the tray icon added once, and Notepad
# where no program opens text files. Same set-up as main_window.sh.
#   main_window_platform.sh ORMIND_EXE DRIVER_EXE
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2")
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
events=none
write_events() {
  case $events in
    none) rm -f "$1" ;;
    long) { echo '[Events]'; for n in $(seq -w 1 200); do echo "Entry $n=05.03"; done; } \
            | sed 's/$/\r/' >"$1" ;;
  esac
}
start_program() { program_date=$1 start_ormind "$work/appdata-$2" "$2"; }  # start_program DATE LANG

# The text of the day view's area on the screen (its scroll bar left out: a themed thumb looks
# different while it is held), as a picture to compare.
area_shot() { import -window root -crop "340x169+$((wx + 24))+$((wy + 80))" "$shots/$1.png"
  convert "$shots/$1.png" rgb:- | md5sum | cut -c1-32; }
wheel() {  # wheel DELTA [TIMES]: wheel messages to the day view
  run_driver post TForm1 TScrollBox 0x020A $(( ($1 & 0xFFFF) << 16 )) 0 "${2:-1}" >/dev/null; sleep 0.3; }
state() { run_driver state "$1"; }

# --- The event list missing: the heading still follows the day ----------------------------
start_wait_for='#32770' start_program '2024-03-01 12:00:00' 1033
missing="Error loading data. File $(winpath "$events_file") not found"
check_eq "a missing list is reported at start" "$missing" "$(run_driver message 5000)"
run_driver dismiss >/dev/null || fail "the message box closes"
run_driver wait TForm1 5000 >/dev/null; window_origin
check_eq "the heading shows the date" "Today, 01.03.2024" "$(heading)"
check_eq "the block shows the message" "$missing" "$(run_driver text TForm1 TScrollBox | sed -n 2p)"
click_at 80 268
run_driver dismiss >/dev/null
check_eq "the next day changes the heading" "02.03.2024" "$(heading)"
run_driver post-close TForm1 >/dev/null
program_ends || fail "the program ends"

# --- 200 entries on one day ---------------------------------------------------------------
# Wine's default visual theme draws the scroll bar's thumb and arrows pure white, the face's
# see-through colour: the window's outline comes from its face alone, so they show and take
# the mouse like any other part of the window.
events=long program_winedebug=-all,+systray program_log=$work/systray.log
start_program '2024-03-05 12:00:00' 1033
sleep 2
cp "$work/systray.log" "$shots/" 2>/dev/null
check_eq "the tray icon is added once" 1 "$(grep -c 'dwMessage = 0,' "$work/systray.log")"
run_driver text TForm1 TScrollBox | grep -qx 'Entry 200' && pass "the last entry is listed" \
  || fail "the last entry is listed"

top=$(area_shot top)
wheel -40; wheel -40; wheel -40
thirds=$(area_shot thirds)
wheel 120
check_eq "a notch back returns to the top" "$top" "$(area_shot back)"
wheel -120
check_eq "three wheel steps of 40 scroll as one notch of 120" "$thirds" "$(area_shot notch)"
[ "$thirds" != "$top" ] && pass "small wheel steps scroll" || fail "small wheel steps scroll"
wheel 120

# The thumb sits just below the bar's upper arrow; dragged below the bar it reaches the end.
bar_x=$((wx + 24 + 361 - 8)) thumb_y=$((wy + 80 + 16 + 3))
xdotool mousemove "$bar_x" "$thumb_y"; sleep 0.2; xdotool mousedown 1; sleep 0.3
for y in 120 160 200 240 260; do xdotool mousemove "$bar_x" $((wy + y)); sleep 0.15; done
dragged=$(area_shot dragged)
xdotool mouseup 1; sleep 0.5
check_eq "the view stays where the thumb was let go" "$dragged" "$(area_shot released)"
wheel -1200 60
[ "$dragged" != "$top" ] && pass "dragging the thumb scrolls the view" \
  || fail "dragging the thumb scrolls the view"
check_eq "the thumb dragged to the bottom shows the end of the list" "$dragged" "$(area_shot end)"

# --- The taskbar button minimised, then the window shown from the tray ---------------------
run_driver post TApplication - 0x0112 0xF020 0 >/dev/null; sleep 1   # SC_MINIMIZE
check_eq "minimising the taskbar button takes the window down" "0 0 0" "$(state TForm1)"
run_driver post OrmindTrayIconWindow - Ormind.ShowMainWindow 0 0 >/dev/null; sleep 1
check_eq "the tray's Show brings back one main window" "1 0 1" "$(state TForm1)"
check_eq "... under an owner that is no longer minimised" "1 0 1" "$(state TApplication)"
run_driver post TApplication - 0x0112 0xF020 0 >/dev/null; sleep 1
run_driver post TApplication - 0x0112 0xF120 0 >/dev/null; sleep 1   # SC_RESTORE
check_eq "restoring the taskbar button shows the window" "1 0 1" "$(state TForm1)"

# --- No program for .txt files: Notepad opens the list ------------------------------------
wine_out reg delete 'HKCR\.txt' /f >/dev/null
window_origin
click_at 120 268
opened=$(wait_title events.txt)
case $opened in *Notepad*) pass "the event list opens in Notepad ($opened)" ;;
  *) fail "the event list opens in Notepad ($opened)" ;; esac
run_driver close-title events.txt >/dev/null; sleep 2.5

run_driver post-close TForm1 >/dev/null
program_ends || fail "the program ends"
finish
