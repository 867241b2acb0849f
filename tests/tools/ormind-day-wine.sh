#!/usr/bin/env bash
# Runs the Windows ormind-day.exe under wine64 and checks that it prints UTF-8 (not the console
# code page) with bare line feeds, and its exit statuses. Wine gives programs its own APPDATA
# (the prefix's user profile), so the data folder is made there and any existing one is put
# back afterwards.
#   ormind-day-wine.sh WINE_RUN ORMIND_DAY_EXE
set -uo pipefail
wine_run=$1 tool=$2
# shellcheck source=../lib/e2e.sh
source "$(dirname "$0")/../lib/e2e.sh"
set_aside_program_data
out=$work/out err=$work/err
day() { "$wine_run" "$tool" "$@" >"$out" 2>"$err" </dev/null; }  # exit status; output in out and err

day --today 2006-12-32
check_eq "bad arguments: status" 2 $?
check "bad arguments: usage line" 'grep -q "usage: ormind-day" "$err"'

rm -rf "$program_data"
day
check_eq "missing folder: status" 1 $?
check "missing folder: no output" '[ ! -s "$out" ]'

mkdir -p "$program_data"
printf '\xEF\xBB\xBF[Birthday]\r\nИван Петров=07.12.1976\r\n[Nameday]\r\nПётр=07.12\r\n' >"$program_data/events.txt"
printf '[settings]\r\nLang=1049\r\n' >"$program_data/settings.ini"
day --today 2006-12-07
check_eq "status" 0 $?
check_eq "UTF-8 with bare line feeds, to the last one" \
  "$(printf 'Сегодня, 07.12.2006\nДень рождения празднуют: \nИван Петров (30!)\n\nПамятных событий нет.\n\nИменины: \nПётр\n\n|')" \
  "$(cat "$out"; echo '|')"
check "settings.ini repaired" 'grep -q "EventsFile=C:" "$program_data/settings.ini"'
finish
