#!/usr/bin/env bash
# End-to-end test of the x64 installer under wine64, in a fresh wine prefix of its own: an
# installer that asks for no elevation, a silent install into the user's profile and registry,
# the installed ormind-day reading the sample event list, a second install over edited data and
# without "Start with Windows", a saved report opened through the shell, refusal while the
# program runs, the uninstaller, and an installation for all users whose first start gives the
# user a data folder with the sample list.
#   installer_e2e.sh SETUP_EXE VERSION SAMPLE_EVENTS MAKE_TEST_REPORT_EXE
set -uo pipefail
setup=$(realpath "$1") version=$2 sample=$(realpath "$3") report_maker=$(realpath "$4")
# shellcheck source=../lib/e2e.sh
source "$(dirname "$0")/../lib/e2e.sh"
private_display_unless_set
private_wine_session "$work/prefix"

reg_value() {  # reg_value KEY NAME (empty NAME: the default value); nothing when missing
  local flag=(/v "$2"); [ -z "$2" ] && flag=(/ve)
  wine_out reg query "$1" "${flag[@]}" | sed -n 's/^ *[^ ].*REG_[A-Z_]* *//p'
}

appdata_win=$(wine_out cmd /c 'echo %APPDATA%')
appdata=$(wine_unix_path "$appdata_win")
instdir_win="$(wine_out cmd /c 'echo %LOCALAPPDATA%')\Programs\Ormind"
instdir=$(wine_unix_path "$instdir_win")
menu_link=$(wine_unix_path "$appdata_win\Microsoft\Windows\Start Menu\Programs")/Ormind.lnk
legacy_startup_link=$(wine_unix_path "$appdata_win\Microsoft\Windows\Start Menu\Programs\Startup")/Ormind.lnk
data=$appdata/Ormind
all_dir_win='C:\Program Files\Ormind'
all_dir=$(wine_unix_path "$all_dir_win")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ormind'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
installed_files=("$instdir"/{Ormind,ormind-day,ormind-import,ormind-report,uninstall}.exe "$instdir/events.sample.txt"
                 "$menu_link")
# Key | value name (empty: the default value) | what the installer writes.
registry=(
  "$uninstall_key|DisplayVersion|$version"
  "$uninstall_key|UninstallString|\"$instdir_win\\uninstall.exe\""
  'HKCU\Software\Classes\.orp||Ormind.Report'
  "HKCU\\Software\\Classes\\Ormind.Report\\shell\\open\\command||\"$instdir_win\\Ormind.exe\" \"%1\""
)
check_installed() {  # check_installed yes|no
  local f row key name value
  for f in "${installed_files[@]}"; do
    check "installed $1: ${f#"$WINEPREFIX"/}" "$([ "$1" = yes ] || echo '!') [ -e \"\$f\" ]"
  done
  for row in "${registry[@]}"; do
    IFS='|' read -r key name value <<<"$row"
    [ "$1" = yes ] || value=
    check_eq "installed $1: $key ${name:-(default)}" "$value" "$(reg_value "$key" "$name")"
  done
}
startup_value() { reg_value "$run_key" Ormind; }
check_data_kept() {  # check_data_kept WHEN
  check "$1 keeps the edited event list" 'cmp -s "$work/events.kept" "$data/events.txt"'
  check "$1 keeps the settings" 'cmp -s "$work/settings.kept" "$data/settings.ini"'
}
install() { timeout 120 "$wine" "$setup" /S "$@" </dev/null >/dev/null 2>&1; }
# The uninstaller runs a copy of itself from the temporary folder and returns at once; this
# waits for the copy too.
uninstall() {
  timeout 60 "$wine" "$instdir/uninstall.exe" /S </dev/null >/dev/null 2>&1
  sleep 1
  for _ in $(seq 120); do pgrep -f '~nsu[^ ]*\.tmp.Un\.exe' >/dev/null || break; sleep 0.5; done
}
day_view() {  # English, whatever the machine's language
  timeout 60 env LC_ALL=en_US.UTF-8 "$wine" "$instdir_win\\ormind-day.exe" --today "$1" \
    </dev/null 2>/dev/null | tr -d '\r'
}

# --- The installer runs with the rights of whoever starts it ----------------------------------
check "the installer's manifest asks for no elevation" \
  'grep -aq "requestedExecutionLevel level=\"asInvoker\"" "$setup"'

# --- First install, over an earlier version's startup shortcut ------------------------------
mkdir -p "$(dirname "$legacy_startup_link")"; : >"$legacy_startup_link"
install
check_eq "silent install succeeds" 0 $?
check_installed yes
check_eq "Start with Windows is on by default, as the user's Run value" \
  "\"$instdir_win\\Ormind.exe\"" "$(startup_value)"
check "the earlier version's startup shortcut is gone (no second start)" '[ ! -e "$legacy_startup_link" ]'
check "nothing is installed under Program Files" '[ ! -e "$all_dir" ]'
check "the sample is left beside the programs" 'cmp -s "$sample" "$instdir/events.sample.txt"'
check "the sample event list is created" 'cmp -s "$sample" "$data/events.txt"'
check "no settings file before the program's first start" '[ ! -e "$data/settings.ini" ]'

# --- The installed program reads the sample: every entry on its own day (2028 is a leap year) --
section=
while IFS= read -r line; do
  line=${line#$'\xef\xbb\xbf'} line=${line%$'\r'}
  case $line in
    '['*']') section=${line:1:-1}; continue ;; ';'* | '') continue ;;
  esac
  name=${line%%=*} value=${line#*=} expected=${line%%=*}
  if [ "$section" = Birthday ] || { [ "$section" = Events ] && [ ${#value} -gt 5 ]; }; then
    age=$((2028 - 10#${value:6:4}))
    expected="$name ($age$([ $((age % 5)) = 0 ] && echo '!'))"
  fi
  block=$(day_view "2028-${value:3:2}-${value:0:2}")
  check "[$section] $name is shown on its day as '$expected'" 'grep -qxF "$expected" <<<"$block"'
done <"$sample"
expected_block=$(printf '%s\n' 'Today, 23.05.2026' 'Is the birthday: ' 'Мария Соколова (10!)' '' \
  'Other events: ' 'Новоселье' '' 'Name-day: ' 'Мария' '')
check_eq "the whole day view of 23.05.2026" "$expected_block" "$(day_view 2026-05-23)"
check "the program's first start writes its settings, naming the sample" \
  'tr -d "\r" <"$data/settings.ini" | grep -qxF "EventsFile=$appdata_win\\Ormind\\events.txt"'

# --- A saved report opened by its association (what a double click runs) shows the preview ----
# Wine's shell reads associations only from HKLM, so the command the user's association names
# is run as Windows' shell would run it.
timeout 60 "$wine" "$report_maker" 'C:\five.orp' 5 2100 2970 Five </dev/null >/dev/null 2>&1
open_command=$(reg_value 'HKCU\Software\Classes\Ormind.Report\shell\open\command' '')
open_program=${open_command#\"} open_program=${open_program%%\"*}
"$wine" "$open_program" 'C:\five.orp' </dev/null >/dev/null 2>&1 &
check "a .orp file opened by the user's association shows it in the preview" \
  'timeout 60 xdotool search --sync --onlyvisible --name "^Print Preview\$" >/dev/null 2>&1'
wine_out taskkill /f /im Ormind.exe >/dev/null

# --- Second install, over edited data and without Start with Windows ------------------------
printf 'Edited by hand=01.01.2001\r\n' >>"$data/events.txt"
sed -i 's/^DaysBefore=.*/DaysBefore=7\r/' "$data/settings.ini"
cp "$data/events.txt" "$work/events.kept"; cp "$data/settings.ini" "$work/settings.kept"
install /NOSTARTUP
check_eq "second install succeeds" 0 $?
check_data_kept "second install"
check_eq "/NOSTARTUP removes Start with Windows" "" "$(startup_value)"
check_installed yes

# --- While the program runs, neither installer nor uninstaller touches it ---------------------
"$wine" "$instdir/Ormind.exe" </dev/null >/dev/null 2>&1 &
program=$!
check "the installed program starts" \
  'timeout 30 xdotool search --sync --onlyvisible --name "^Ormind!\$" >/dev/null 2>&1'
install
check_eq "the installer refuses while Ormind runs" 2 $?
uninstall
check_installed yes  # the uninstaller refused too
wine_out taskkill /f /im Ormind.exe >/dev/null
wait $program
install
check_eq "once Ormind is closed, installing again works" 0 $?
check "... and puts Start with Windows back" '[ -n "$(startup_value)" ]'

# --- Uninstall ------------------------------------------------------------------------------
uninstall
check_installed no
check "uninstall removes the program folder" '[ ! -e "$instdir" ]'
check_eq "uninstall removes Start with Windows" "" "$(startup_value)"
check_data_kept uninstall

# --- For all users: the programs under Program Files, each user's data at their first start ---
hklm_uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ormind'
mv "$data" "$work/data.before-all-users"
install /ALLUSERS
check_eq "installing for all users succeeds (with administrator rights)" 0 $?
check "the programs are under Program Files" '[ -f "$all_dir/Ormind.exe" ] && [ -f "$all_dir/events.sample.txt" ]'
check_eq "Apps & Features for everyone" "\"$all_dir_win\\uninstall.exe\"" \
  "$(reg_value "$hklm_uninstall" UninstallString)"
check_eq "Start with Windows for everyone" "\"$all_dir_win\\Ormind.exe\"" \
  "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' Ormind)"
check_eq ".orp for everyone" Ormind.Report "$(reg_value 'HKLM\Software\Classes\.orp' '')"
check "the installing user's data folder is not made by the installer" '[ ! -e "$data" ]'
timeout 60 env LC_ALL=en_US.UTF-8 "$wine" "$all_dir_win\\ormind-day.exe" --today 2026-05-23 \
  </dev/null >"$work/first-start.txt" 2>/dev/null
check "the first start makes the user's event list from the sample" 'cmp -s "$sample" "$data/events.txt"'
check "... and shows its entries" 'grep -qF "Мария Соколова (10!)" "$work/first-start.txt"'
printf 'Edited by hand=01.01.2001\r\n' >>"$data/events.txt"
rm -f "$data/settings.ini"
cp "$data/events.txt" "$work/events.kept"
timeout 60 "$wine" "$all_dir_win\\ormind-day.exe" </dev/null >/dev/null 2>&1
check "a later start with the list there copies nothing over it" 'cmp -s "$work/events.kept" "$data/events.txt"'
timeout 60 "$wine" "$all_dir/uninstall.exe" /S </dev/null >/dev/null 2>&1
sleep 1
for _ in $(seq 120); do pgrep -f '~nsu[^ ]*\.tmp.Un\.exe' >/dev/null || break; sleep 0.5; done
check "uninstalling for all users removes the programs" '[ ! -e "$all_dir" ]'
check_eq "... and the entry in Apps & Features" "" "$(reg_value "$hklm_uninstall" UninstallString)"
check "... and keeps the user's data" 'cmp -s "$work/events.kept" "$data/events.txt"'

finish
