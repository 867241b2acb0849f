#!/usr/bin/env bash
# Runs the real ormind-day on a temporary APPDATA and checks its output and exit status.
#   ormind-day-cli.sh ORMIND_DAY
set -uo pipefail
tool=$1
# shellcheck source=../lib/e2e.sh
source "$(dirname "$0")/../lib/e2e.sh"
export LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= APPDATA=$work
out=$work/out err=$work/err
day() { "$tool" "$@" >"$out" 2>"$err"; }  # day ARGUMENT...: exit status; output in out and err

# bad arguments
day --date 2006-13-01
check_eq "bad date: status" 2 $?
check "bad date: no output" '[ ! -s "$out" ]'
check "bad date: usage line" 'grep -q "^usage: ormind-day" "$err"'

# missing folder: the configuration message, then the missing event list, status 1
day
check_eq "missing folder: status" 1 $?
check "missing folder: no output" '[ ! -s "$out" ]'
check_eq "missing folder: messages" "Error loading configuration data
Error loading data. File $work/Ormind/events.txt not found" "$(cat "$err")"

# a Russian list in Windows-1251, the settings file created
mkdir -p "$work/Ormind"
printf '[Birthday]\r\n\xc8\xe2\xe0\xed=07.12.1976\r\n[Events]\r\n\xd1\xe2\xe0\xe4\xfc\xe1\xe0=08.12.2001\r\n' \
  >"$work/Ormind/events.txt"
LANG=ru_RU.UTF-8 day --today 2006-12-07
check_eq "russian: status" 0 $?
check_eq "russian: no messages" "" "$(cat "$err")"
check_eq "russian: output, to the last line feed" \
  "$(printf 'Сегодня, 07.12.2006\nДень рождения празднуют: \nИван (30!)\n\nПамятных событий нет.\n\n08.12: Свадьба (5!)\n|')" \
  "$(cat "$out"; echo '|')"
check "settings.ini created" 'grep -q "^Lang=1049" "$work/Ormind/settings.ini"'

# --check: the skipped lines on standard output, status 1; a clean list gives status 0
printf '[Birthday]\r\nIvan=07.12.1976\r\nOlga 08.12.1980\r\n' >"$work/Ormind/events.txt"
day --check
check_eq "check: status" 1 $?
check_eq "check: output" '3 [Birthday] no "=": Olga 08.12.1980' "$(cat "$out")"
printf '[Birthday]\r\nIvan=07.12.1976\r\n' >"$work/Ormind/events.txt"
day --check
check_eq "clean check: status" 0 $?
check "clean check: no output" '[ ! -s "$out" ]'

# read-only settings that need a repair: the message, and the view all the same
printf '[settings]\r\nDaysBefore=0\r\n' >"$work/Ormind/settings.ini"
chmod a-w "$work/Ormind/settings.ini"
day --date 2006-12-07 --today 2006-12-01
check_eq "read-only: status" 0 $?
check_eq "read-only: message" "Error loading configuration data" "$(cat "$err")"
check_eq "read-only: heading" "07.12.2006" "$(head -n1 "$out")"
check_eq "read-only: the file is unchanged" "$(printf '[settings]\r\nDaysBefore=0\r')" \
  "$(cat "$work/Ormind/settings.ini")"

# unreadable event list
chmod u+w "$work/Ormind/settings.ini"; rm "$work/Ormind/events.txt"; mkdir "$work/Ormind/events.txt"
day
check_eq "unreadable: status" 1 $?
check "unreadable: no output" '[ ! -s "$out" ]'
finish
