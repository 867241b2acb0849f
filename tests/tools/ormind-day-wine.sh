#!/usr/bin/env bash
# Runs the Windows ormind-day.exe under wine64 and checks that it prints UTF-8 (not the console
# code page) with bare line feeds, and its exit statuses. Wine gives programs its own APPDATA
# (the prefix's user profile), so the data folder is made there and any existing one is put
# back afterwards.
set -u
wine_run=$1 tool=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix=${WINEPREFIX:?}
roaming=$(ls -d "$prefix"/drive_c/users/*/AppData/Roaming 2>/dev/null | grep -v /Public/ | head -n1)
[ -n "$roaming" ] || fail "no user profile in $prefix"
folder=$roaming/Ormind saved=$roaming/Ormind.saved-$$ out=$(mktemp) err=$(mktemp)
[ -e "$folder" ] && mv "$folder" "$saved"
cleanup() { rm -rf "$folder" "$out" "$err"; [ -e "$saved" ] && mv "$saved" "$folder"; }
trap cleanup EXIT

"$wine_run" "$tool" --today 2006-12-32 >"$out" 2>"$err" </dev/null
[ $? = 2 ] || fail "bad arguments: status"
grep -q 'usage: ormind-day' "$err" || fail "bad arguments: usage line"

rm -rf "$folder"
"$wine_run" "$tool" >"$out" 2>"$err" </dev/null
[ $? = 1 ] || fail "missing folder: status"
[ ! -s "$out" ] || fail "missing folder: output"

mkdir -p "$folder"
printf '\xEF\xBB\xBF[Birthday]\r\nИван Петров=07.12.1976\r\n[Nameday]\r\nПётр=07.12\r\n' >"$folder/events.txt"
printf '[settings]\r\nLang=1049\r\n' >"$folder/settings.ini"
"$wine_run" "$tool" --today 2006-12-07 >"$out" 2>"$err" </dev/null || fail "status $?: $(cat "$err")"
printf 'Сегодня, 07.12.2006\nДень рождения празднуют: \nИван Петров (30!)\n\nПамятных событий нет.\n\nИменины: \nПётр\n\n' \
  | cmp - "$out" || fail "output: $(od -c "$out" | head)"
grep -q 'EventsFile=C:' "$folder/settings.ini" || fail "settings.ini not repaired"
echo "ormind-day.exe: all checks passed"
