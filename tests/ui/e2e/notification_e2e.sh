#!/usr/bin/env bash
# End-to-end test of the tray icon's notification under wine64, X and a clock the test moves
# (faketime reading a file): the day's notification at start, the next day's when the clock
# passes midnight (the program's own timer), when the clock is set (WM_TIMECHANGE) and on a
# wake from sleep; never twice for one day, nothing on an empty day or with Notify=0; the
# tooltip naming the day's birthdays; the notification's click showing today. Wine's tray
# shows notifications as balloon tooltips, whose text the driver reads (not the title: wine's
# tooltips do not tell it; the screenshots show it). Wine does not report a click on a balloon
# to the program, so the click is the message the shell would send. Same set-up as
# main_window.sh.
#   notification_e2e.sh ORMIND_EXE DRIVER_EXE
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2")
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
write_events() {
  printf '%s\r\n' '[Birthday]' 'Anna=05.03.1994' 'Boris=05.03.2000' 'Clara=06.03.1990' \
    '[Events]' 'Wedding=07.03.2014' '[Nameday]' 'Pyotr=08.03' >"$1"
}
start_program() { program_date=$1 start_ormind "$work/appdata-$2" "$2"; }  # start_program DATE LANG

clock_file=$work/clock
program_winedebug=-all,+systray
set_clock() { echo "$1" >"$clock_file"; sleep 1.2; }  # the program reads the file once a second
time_changed() { run_driver broadcast 0x001E 0 0 >/dev/null; }  # WM_TIMECHANGE
woke_up() {  # WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC
  run_driver post OrmindDateWatchWindow - 0x0218 0x12 0 >/dev/null; }
# The notification on the screen: "line|line...".
balloon() { run_driver balloon "${1:-100}" | paste -sd'|'; }
# Notifications the program has asked the shell for (the icon's own records are the first
# version, 168 bytes here).
asked() { grep 'dwMessage = 1,' "$program_log" | grep -vc 'cbSize=168'; }
wait_for_balloon() {  # wait_for_balloon WHAT EXPECTED [COUNT]: COUNT asked for so far
  local got=
  for _ in $(seq 60); do got=$(balloon); [ "$got" = "$2" ] && break; sleep 0.5; done
  check_eq "$1" "$2" "$got"
  [ -z "${3:-}" ] || check_eq "... as notification $3" "$3" "$(asked)"
}
# Nothing more asked for after a moment, and what shows is what showed.
check_quiet() {  # check_quiet WHAT COUNT
  sleep 2
  check_eq "$1" "$2" "$(asked)"
}
tooltip() {  # the tooltip of the icon, with the mouse over the icon in wine's tray window
  local id
  id=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n1)
  [ -n "$id" ] || return
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + 10)) $((Y + 10)); sleep 0.3; xdotool mousemove $((X + 11)) $((Y + 10))
  run_driver tooltip 5000
  xdotool mousemove 640 900
}
until_state() {  # the main window's state once it is $1 (or after 15 s)
  local got
  for _ in $(seq 30); do got=$(run_driver state TForm1); [ "$got" = "$1" ] && break; sleep 0.5; done
  echo "$got"
}
run_ends() { run_driver post-close TForm1 >/dev/null; program_ends || fail "the program ends"; }

# --- A day with birthdays, then the date moving on ----------------------------------------
program_log=$work/systray-en.log
start_program '2024-03-05 23:59:55' 1033
wait_for_balloon "the day's notification at start" 'Is the birthday:|Anna (30!)|Boris (24)' 1
shot notification-start >/dev/null
check_eq "the tooltip names the birthdays" "Ormind — 2 birthdays today" "$(tooltip)"

set_clock '2024-03-06 00:00:05'  # past midnight; nothing is sent: the program's timer notices
wait_for_balloon "the next day's notification after midnight" 'Is the birthday:|Clara (34)' 2
shot notification-after-midnight >/dev/null
check_eq "the day view keeps the day it showed" "Today, 05.03.2024" "$(heading)"

set_clock '2024-03-07 10:00:00'; time_changed
wait_for_balloon "the clock set to another day" 'Other events:|Wedding (10!)' 3
check_eq "no birthdays: no tooltip" "" "$(tooltip)"
time_changed
check_quiet "the clock set within the same day tells nothing" 3
set_clock '2024-03-05 12:00:00'; time_changed
check_quiet "a day told already is not told again" 3

set_clock '2024-03-08 09:00:00'; woke_up
wait_for_balloon "a wake from sleep onto another day" 'Name-day:|Pyotr' 4
set_clock '2024-03-09 09:00:00'; time_changed
check_quiet "nothing on a day without entries" 4

# The notification's click, on a hidden window that showed another day.
click_at 240 268   # hide to the tray
until_state "0 0 0" >/dev/null
run_driver post OrmindTrayIconWindow - 0xB054 0 0x405 >/dev/null  # NIN_BALLOONUSERCLICK
check_eq "the click shows the main window" "1 0 1" "$(until_state "1 0 1")"
check_eq "... on today" "Today, 09.03.2024" "$(heading)"
check_eq "four days told in all" 4 "$(asked)"
run_ends

# --- Russian ------------------------------------------------------------------------------
program_log=$work/systray-ru.log
start_program '2024-03-05 10:00:00' 1049
wait_for_balloon "the Russian notification" 'День рождения празднуют:|Anna (30!)|Boris (24)' 1
shot notification-russian >/dev/null
check_eq "the Russian tooltip" "Ormind — сегодня 2 дня рождения" "$(tooltip)"
run_ends

# --- Nothing to tell ----------------------------------------------------------------------
program_log=$work/systray-empty.log
start_program '2024-03-10 10:00:00' 1033
check_quiet "an empty day at start tells nothing" 0
run_ends
program_log=$work/systray-off.log
extra_settings=$'Notify=0\r\n' start_program '2024-03-05 10:00:00' 1033
check_quiet "Notify=0 tells nothing" 0
check_eq "... but the tooltip still names the birthdays" "Ormind — 2 birthdays today" "$(tooltip)"
run_ends

finish
