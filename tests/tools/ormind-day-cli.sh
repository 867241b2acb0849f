#!/usr/bin/env bash
# Runs the real ormind-day on a temporary APPDATA and checks its output and exit status.
set -u
tool=$1
dir=$(mktemp -d)
trap 'chmod -R u+w "$dir"; rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= APPDATA=$dir

# bad arguments
"$tool" --date 2006-13-01 >"$dir/out" 2>"$dir/err"; [ $? = 2 ] || fail "bad date: status"
[ ! -s "$dir/out" ] || fail "bad date: output"
grep -q '^usage: ormind-day' "$dir/err" || fail "bad date: usage line"

# missing folder: the configuration message, then the missing event list, status 1
"$tool" >"$dir/out" 2>"$dir/err"; [ $? = 1 ] || fail "missing folder: status"
[ ! -s "$dir/out" ] || fail "missing folder: output"
[ "$(cat "$dir/err")" = "Error loading configuration data
Error loading data. File $dir/Ormind/events.txt not found" ] || fail "missing folder: messages"

# a Russian list in Windows-1251, the settings file created
mkdir "$dir/Ormind"
printf '[Birthday]\r\n\xc8\xe2\xe0\xed=07.12.1976\r\n[Events]\r\n\xd1\xe2\xe0\xe4\xfc\xe1\xe0=08.12.2001\r\n' \
  >"$dir/Ormind/events.txt"
LANG=ru_RU.UTF-8 "$tool" --today 2006-12-07 >"$dir/out" 2>"$dir/err" || fail "russian: status"
[ ! -s "$dir/err" ] || fail "russian: messages $(cat "$dir/err")"
printf 'Сегодня, 07.12.2006\nДень рождения празднуют: \nИван (30!)\n\nПамятных событий нет.\n\n08.12: Свадьба (5!)\n' \
  | cmp -s - "$dir/out" || fail "russian: output $(cat "$dir/out")"
grep -q '^Lang=1049' "$dir/Ormind/settings.ini" || fail "settings.ini not created"

# --check: the skipped lines on standard output, status 1; a clean list gives status 0
printf '[Birthday]\r\nIvan=07.12.1976\r\nOlga 08.12.1980\r\n' >"$dir/Ormind/events.txt"
"$tool" --check >"$dir/out" 2>"$dir/err"; [ $? = 1 ] || fail "check: status"
[ "$(cat "$dir/out")" = '3 [Birthday] no "=": Olga 08.12.1980' ] || fail "check: output $(cat "$dir/out")"
printf '[Birthday]\r\nIvan=07.12.1976\r\n' >"$dir/Ormind/events.txt"
"$tool" --check >"$dir/out" 2>"$dir/err" || fail "clean check: status"
[ ! -s "$dir/out" ] || fail "clean check: output"

# read-only settings that need a repair: the message, and the view all the same
printf '[settings]\r\nDaysBefore=0\r\n' >"$dir/Ormind/settings.ini"
chmod a-w "$dir/Ormind/settings.ini"
"$tool" --date 2006-12-07 --today 2006-12-01 >"$dir/out" 2>"$dir/err" || fail "read-only: status"
[ "$(cat "$dir/err")" = "Error loading configuration data" ] || fail "read-only: message"
[ "$(head -n1 "$dir/out")" = "07.12.2006" ] || fail "read-only: heading"
[ "$(cat "$dir/Ormind/settings.ini")" = "$(printf '[settings]\r\nDaysBefore=0\r')" ] || fail "read-only file changed"

# unreadable event list
chmod u+w "$dir/Ormind/settings.ini"; rm "$dir/Ormind/events.txt"; mkdir "$dir/Ormind/events.txt"
"$tool" >"$dir/out" 2>"$dir/err"; [ $? = 1 ] || fail "unreadable: status"
[ ! -s "$dir/out" ] || fail "unreadable: output"
echo "ormind-day: all checks passed"
