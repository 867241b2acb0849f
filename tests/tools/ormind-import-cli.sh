#!/usr/bin/env bash
# Runs the real ormind-import on cards, a calendar and event lists in each encoding, and checks
# its output, its messages, its exit status and the lists byte for byte.
#   ormind-import-cli.sh ORMIND_IMPORT            (the native program)
#   ormind-import-cli.sh ORMIND_IMPORT_EXE WINE_RUN   (the Windows program under wine)
set -uo pipefail
tool=$1 runner=${2:-}
# shellcheck source=../lib/e2e.sh
source "$(dirname "$0")/../lib/e2e.sh"
# Natively the Russian locale makes the 8-bit code page 1251; wine turns the arguments into
# UTF-16 by the character type, which must name a locale that is installed.
export LANG=ru_RU.UTF-8 LC_ALL= LC_MESSAGES= LC_CTYPE=C.UTF-8
out=$work/out err=$work/err
path() { if [ -n "$runner" ]; then winpath "$1"; else echo "$1"; fi; }
run_import() {  # import ARGUMENT...: exit status; output in out and err, carriage returns dropped
  if [ -n "$runner" ]; then
    timeout 120 "$runner" "$tool" "$@" >"$out.raw" 2>"$err.raw" </dev/null
  else
    timeout 120 "$tool" "$@" >"$out.raw" 2>"$err.raw" </dev/null
  fi
  local status=$?
  tr -d '\r' <"$out.raw" >"$out"; tr -d '\r' <"$err.raw" >"$err"
  return $status
}

# bad arguments
for args in "" "--into" "a.vcf --into" "a.vcf --into x --into y" "a.vcf --merge"; do
  # shellcheck disable=SC2086
  run_import $args
  check_eq "bad arguments '$args': status" 2 $?
  check "bad arguments '$args': usage" 'grep -q "^usage: ormind-import" "$err" && [ ! -s "$out" ]'
done

run_import "$(path "$work/none.vcf")"
check_eq "missing file: status" 1 $?
check "missing file: said" 'grep -q "none.vcf: not found" "$err"'

# cards of each version and a birthday calendar, in a folder with a Cyrillic name
mkdir -p "$work/контакты"
cards=$work/контакты/phone.vcf calendar=$work/birthdays.ics
printf 'BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=9F=D0=B5=D1=82=D1=80=D0=BE=D0=B2;=D0=98=\r\n=D0=B2=D0=B0=D0=BD;;;\r\nBDAY:19850305\r\nEND:VCARD\r\n' >"$cards"
printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna\r\n  Smith\r\nBDAY;X-APPLE-OMIT-YEAR=1604:1604-07-21\r\nitem1.X-ANNIVERSARY:2010-06-12\r\nEND:VCARD\r\n' >>"$cards"
printf 'BEGIN:VCARD\r\nVERSION:4.0\r\nFN:=Ольга\r\nBDAY:--12-09\r\nANNIVERSARY:circa 2000\r\nEND:VCARD\r\n' >>"$cards"
printf 'BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19700101\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Zoë\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' >"$calendar"
run_import "$(path "$cards")" "$(path "$calendar")"
check_eq "print: status" 0 $?
check_eq "print: the entries" "[Birthday]
Иван Петров=05.03.1985
Anna Smith=21.07
Ольга=09.12
Zoë=01.01.1970
[Events]
Anna Smith=12.06.2010" "$(cat "$out")"
check "print: the name cleaned, with its line" 'grep -q "phone.vcf:14: name cleaned to \"Ольга\"" "$err"'
check "print: the date not understood, with its line" \
  'grep -q "phone.vcf:18: ANNIVERSARY \"circa 2000\" is not a date understood here, skipped" "$err"'

# --into a list in the 8-bit code page: natively 1251 (the Russian locale), under wine the
# prefix's 1252. New names that fit keep the list in it, CR LF kept; others make it UTF-8.
list=$work/events.txt
in_cp() { printf "$1" | iconv -f UTF-8 -t "CP$cp"; }  # in_cp FORMAT: the text in the code page
if [ -z "$runner" ]; then
  cp=1251 fitting=$cards other=$calendar
  before='; мой список\r\n[Birthday]\r\nИван Петров=05.03.85\r\n\r\n[Nameday]\r\nТатьяна=25.01\r\n'
  after='; мой список\r\n[Birthday]\r\nИван Петров=05.03.85\r\nAnna Smith=21.07\r\nОльга=09.12\r\n\r\n[Nameday]\r\nТатьяна=25.01\r\n[Events]\r\nAnna Smith=12.06.2010\r\n'
  summary="3 added, 1 already there, 1 skipped" again="0 added, 4 already there, 1 skipped"
  converted='\xef\xbb\xbf; мой список\r\n[Birthday]\r\nИван Петров=05.03.85\r\nAnna Smith=21.07\r\nОльга=09.12\r\nZoë=01.01.1970\r\n\r\n[Nameday]\r\nТатьяна=25.01\r\n[Events]\r\nAnna Smith=12.06.2010\r\n'
else
  cp=1252 fitting=$calendar other=$cards
  before='; my list\r\n[Birthday]\r\nJosé=05.03.85\r\n\r\n[Nameday]\r\nAnaïs=16.12\r\n'
  after='; my list\r\n[Birthday]\r\nJosé=05.03.85\r\nZoë=01.01.1970\r\n\r\n[Nameday]\r\nAnaïs=16.12\r\n'
  summary="1 added, 0 already there, 0 skipped" again="0 added, 1 already there, 0 skipped"
  converted='\xef\xbb\xbf; my list\r\n[Birthday]\r\nJosé=05.03.85\r\nZoë=01.01.1970\r\nИван Петров=05.03.1985\r\nAnna Smith=21.07\r\nОльга=09.12\r\n\r\n[Nameday]\r\nAnaïs=16.12\r\n[Events]\r\nAnna Smith=12.06.2010\r\n'
fi
in_cp "$before" >"$list"
run_import "$(path "$fitting")" --into "$(path "$list")"
check_eq "$cp: status" 0 $?
check_eq "$cp: what was done" "$summary" "$(cat "$out")"
in_cp "$after" >"$work/expected"
check "$cp: byte for byte" 'cmp "$work/expected" "$list"'
run_import "$(path "$fitting")" --into "$(path "$list")"
check_eq "$cp again: nothing added" "$again" "$(cat "$out")"
check "$cp again: the file unchanged" 'cmp "$work/expected" "$list"'
run_import "$(path "$other")" --into "$(path "$list")"
check_eq "$cp to UTF-8: status" 0 $?
check "$cp to UTF-8: said" \
  'grep -q "is now UTF-8 with a byte-order mark: not every new name fits code page $cp" "$out"'
# shellcheck disable=SC2059
printf "$converted" >"$work/expected8"
check "$cp to UTF-8: the same text with the new lines" 'cmp "$work/expected8" "$list"'

# --into a UTF-16 list
printf '[Birthday]\r\nАнна=01.02.1980\r\n[Events]\r\nСвадьба=05.06.2001\r\n' | iconv -f UTF-8 -t UTF-16 >"$list"
run_import "$(path "$calendar")" --into "$(path "$list")"
check_eq "UTF-16: status" 0 $?
printf '[Birthday]\r\nАнна=01.02.1980\r\nZoë=01.01.1970\r\n[Events]\r\nСвадьба=05.06.2001\r\n' | iconv -f UTF-8 -t UTF-16 >"$work/expected"
check "UTF-16: byte for byte" 'cmp "$work/expected" "$list"'

# --into a UTF-8 list with comments and bare line feeds; the same name with another date
printf '; kept by hand\n[Birthday]\nZoë=01.01.1971\n; friends\n' >"$list"
run_import "$(path "$calendar")" --into "$(path "$list")"
check_eq "UTF-8: status" 0 $?
check "UTF-8: the other date reported" 'grep -q "added beside the same name with another date: Zoë=01.01.1970" "$out"'
check_eq "UTF-8: byte for byte" "$(printf '; kept by hand\n[Birthday]\nZoë=01.01.1971\n; friends\nZoë=01.01.1970\n|')" "$(cat "$list"; echo '|')"

# a read-only list is left as it is
chmod a-w "$list"; cp "$list" "$work/before"
run_import "$(path "$cards")" --into "$(path "$list")"
check_eq "read-only: status" 1 $?
check "read-only: said" 'grep -q "Unable to write to" "$err"'
check "read-only: unchanged" 'cmp "$work/before" "$list"'
chmod u+w "$list"

# junk, a thousand-character name, and a gigabyte file
head -c 4096 /dev/urandom >"$work/junk.vcf"
run_import "$(path "$work/junk.vcf")"
check_eq "junk: status" 1 $?
check "junk: said" 'grep -q "no contact cards or calendar events found" "$err"'
{ printf 'BEGIN:VCARD\nFN:'; head -c 1000 /dev/zero | tr '\0' x; printf '\nBDAY:19800101\nEND:VCARD\n'; } >"$work/long.vcf"
run_import "$(path "$work/long.vcf")"
check_eq "long name: status" 1 $?
check "long name: said" 'grep -q "long.vcf:1: a name longer than 200 characters, skipped" "$err"'
truncate -s 1G "$work/huge.vcf"
run_import "$(path "$work/huge.vcf")"
check_eq "gigabyte: status" 1 $?
check "gigabyte: refused" 'grep -q "huge.vcf: larger than 64 MB, refused" "$err"'
finish
