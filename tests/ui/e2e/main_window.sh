#!/usr/bin/env bash
# End-to-end test of the main window: starts the real Ormind.exe under wine64 on the display in
# DISPLAY (the persistent wine server of tools/wine-prefix must use the same one), with a
# prepared application-data folder and the clock fixed by faketime, and checks it as a user
# would: through the mouse (xdotool), screenshots (pixel probes) and the driver program, which
# reads window rectangles, texts and message boxes from inside the wine session.
#   main_window.sh ORMIND_EXE DRIVER_EXE FACE_PNG
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2") face=$(realpath "$3")
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
write_events() {
  printf '%s\r\n' '[Birthday]' 'Ivan=01.03.1974' 'Olga=29.02.1980' 'Anna=02.03.2000' \
    'Vera=03.03.1985' 'Gleb=04.03.2010' \
    'Константин Константинович Константинопольский-Щедрин=09.12.1960' \
    '[Events]' 'Wedding=01.03.2004' '[Nameday]' 'Pyotr=01.03' >"$1"
}
start_program() { program_date=$1 start_ormind "$work/appdata-$2" "$2"; }  # start_program DATE LANG
face_pixel() { pixel "$face" "$1" "$2"; }
read -r screen_w _ < <(xdotool getdisplaygeometry)

# A fresh wine prefix opens .ini files in Notepad but has no program for .txt files.
wine_out reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null

# --- First run: English, 1 March 2024 (a leap year) ---------------------------------------
start_program '2024-03-01 12:00:00' 1033

check_eq "placed flush right at top 50, 600 x 383" \
  "$((screen_w - 600)) 50 $screen_w 433" "$(run_driver rect TForm1)"

expected_block=$(printf '%s\n' 'Today, 01.03.2024' 'Is the birthday: ' 'Ivan (50!)' '' \
  'Other events: ' 'Wedding (20!)' '' 'Name-day: ' 'Pyotr' '' '02.03: Anna (24)' \
  '03.03: Vera (39)' '04.03: Gleb (14)')
check_eq "heading and block for the event list" "$expected_block" \
  "$(run_driver text TForm1 TScrollBox | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}')"

has_scroll_bar() { (( 0x$(run_driver style TForm1 TScrollBox) & 0x00200000 )); }
has_scroll_bar && pass "a block taller than the area gets a vertical scroll bar" \
  || fail "a block taller than the area gets a vertical scroll bar"

xdotool mousemove $((wx + 300)) $((wy + 200)); sleep 0.3
s=$(shot start)
# A pure white pixel of the face is see-through (the root window beneath is black); the panel
# and a button's transparent corner show the face's own colours.
check_eq "white areas of the face are see-through" "000000" "$(pixel "$s" $((wx + 5)) $((wy + 5)))"
check_eq "the panel shows the face picture" "$(face_pixel 300 270)" "$(pixel "$s" $((wx + 300)) $((wy + 270)))"
check_eq "a button's black corner shows the face" "$(face_pixel 144 252)" "$(pixel "$s" $((wx + 144)) $((wy + 252)))"
[ "$(pixel "$s" $((wx + 160)) $((wy + 268)))" != "$(face_pixel 160 268)" ] \
  && pass "buttons are drawn over the face" || fail "buttons are drawn over the face"

# Hovering btn4 makes it 36 x 36 at (142, 250); the face again puts it back to 32 x 32.
xdotool mousemove $((wx + 160)) $((wy + 268)); sleep 0.3
s=$(shot hover_btn4)
hover_top=$(pixel "$s" $((wx + 160)) $((wy + 251)))
hover_left=$(pixel "$s" $((wx + 143)) $((wy + 268)))
[ "$hover_top" != "$(face_pixel 160 251)" ] && [ "$hover_left" != "$(face_pixel 143 268)" ] \
  && pass "hovering btn4 draws it 36 x 36 at left 142, top 250" \
  || fail "hovering btn4 draws it 36 x 36 at left 142, top 250 ($hover_top, $hover_left)"
check_eq "hovered btn4 still leaves its corner transparent" "$(face_pixel 142 250)" \
  "$(pixel "$s" $((wx + 142)) $((wy + 250)))"
xdotool mousemove $((wx + 300)) $((wy + 270)); sleep 0.3
s=$(shot hover_face)
check_eq "moving onto the face puts btn4 back (top edge)" "$(face_pixel 160 251)" "$(pixel "$s" $((wx + 160)) $((wy + 251)))"
check_eq "moving onto the face puts btn4 back (left edge)" "$(face_pixel 143 268)" "$(pixel "$s" $((wx + 143)) $((wy + 268)))"

# Previous and next day.
click_at 80 268
check_eq "next day drops the Today prefix" "02.03.2024" "$(heading)"
click_at 40 268; click_at 40 268
check_eq "stepping back from 1 March 2024 shows 29 February" "29.02.2024" "$(heading)"
run_driver text TForm1 TScrollBox | grep -qx 'Olga (44)' && pass "29 February lists its birthday" \
  || fail "29 February lists its birthday"
click_at 80 268
check_eq "next day comes back to today" "Today, 01.03.2024" "$(heading)"

# Dragging the face (left or right button) moves the window; pressing a button does not.
drag() {  # drag X Y DX DY BUTTON
  xdotool mousemove $((wx + $1)) $((wy + $2)); sleep 0.2
  xdotool mousedown "$5"; sleep 0.3
  for i in 1 2 3 4 5; do xdotool mousemove $((wx + $1 + $3 * i / 5)) $((wy + $2 + $4 * i / 5)); sleep 0.1; done
  xdotool mouseup "$5"; sleep 0.5
}
old_x=$wx old_y=$wy
drag 300 270 -100 60 1
window_origin
check_eq "dragging the face moves the window" "$((old_x - 100)) $((old_y + 60))" "$wx $wy"
old_x=$wx old_y=$wy
drag 200 200 50 -30 3
window_origin
check_eq "dragging the scrolling area with the right button moves the window" \
  "$((old_x + 50)) $((old_y - 30))" "$wx $wy"
old_x=$wx old_y=$wy
drag 80 268 -60 40 1
window_origin
check_eq "pressing a button and dragging does not move the window" "$old_x $old_y" "$wx $wy"
check_eq "a press released off the button is no click" "Today, 01.03.2024" "$(heading)"

# Edit the event list: a missing file gives EventsFileMissing, an existing one is opened.
mv "$events_file" "$events_file.away"
click_at 120 268
message=$(run_driver message 5000)
check_eq "a missing event list is reported" "File $(winpath "$events_file") not found" "$message"
run_driver dismiss >/dev/null || fail "the message box closes"
mv "$events_file.away" "$events_file"
click_at 120 268
opened=$(wait_title events.txt)
[ -n "$opened" ] && pass "the event list opens in its associated program ($opened)" \
  || fail "the event list opens in its associated program"
close_titled events.txt
# The settings open too.
click_at 200 268
opened=$(wait_title settings.ini)
[ -n "$opened" ] && pass "the settings open in their associated program ($opened)" \
  || fail "the settings open in their associated program"
close_titled settings.ini

# Close ends the program.
window_origin
click_at 280 268
run_driver gone TForm1 5000 >/dev/null && pass "close removes the window" || fail "close removes the window"
program_ends && pass "close ends the program" || fail "close ends the program"

# --- Second run: Russian, a day with nothing on it ----------------------------------------
start_program '2026-12-08 09:00:00' 1049
check_eq "the Russian heading" "Сегодня, 08.12.2026" "$(heading)"
check_eq "the Russian block for an empty day" "$(printf '%s\n' 'Дней рождения нет.' 'Памятных событий нет.')" \
  "$(run_driver text TForm1 TScrollBox | sed -n '2,3p')"
has_scroll_bar && fail "a short block has no vertical scroll bar" \
  || pass "a short block has no vertical scroll bar"
(( 0x$(run_driver style TForm1 TScrollBox) & 0x00100000 )) \
  && pass "a line wider than the area gets a horizontal scroll bar" \
  || fail "a line wider than the area gets a horizontal scroll bar"
rm "$work/appdata-1049/Ormind/settings.ini"
click_at 200 268
check_eq "missing settings are reported when editing them" "Ошибка загрузки файла конфигурации" \
  "$(run_driver message 5000)"
run_driver dismiss >/dev/null || fail "the message box closes"
click_at 240 268
run_driver gone TForm1 5000 >/dev/null && pass "hide removes the window from the screen" \
  || fail "hide removes the window from the screen"
if run_driver exited "$windows_pid" 0 >/dev/null; then fail "hidden, the program keeps running"
else pass "hidden, the program keeps running"; fi
run_driver post-close TForm1 >/dev/null
program_ends && pass "closing the hidden window ends the program" \
  || fail "closing the hidden window ends the program"

finish
