#!/usr/bin/env bash
# End-to-end test of the main window's place with a taskbar docked at the right and at the
# top: it sits against the right edge of the work area, 50 pixels below its top, not under the
# taskbar. Wine reads the work area from the display (_NET_WORKAREA) when its desktop starts,
# so the test restarts the wine server with one set, and again without it at the end.
#   work_area.sh ORMIND_EXE DRIVER_EXE
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2")
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
here=$(dirname "$(realpath "$0")")
write_events() { printf '%s\r\n' '[Birthday]' 'Ivan=01.03.1974' >"$1"; }
start_program() { program_date=$1 start_ormind "$work/appdata-$2" "$2"; }  # start_program DATE LANG
read -r screen_w _ < <(xdotool getdisplaygeometry)

restart_wine() { "$e2e_root/tools/wine-prefix" stop; /usr/lib/wine/wineserver -w; "$e2e_root/tools/wine-prefix" >/dev/null 2>&1; }
work_area_pid=
restore() {
  stop_program
  [ -n "$work_area_pid" ] && kill "$work_area_pid" && wait "$work_area_pid"
  python3 "$here/work_area.py" clear
  restart_wine
}
on_exit restore

taskbar_right=100 taskbar_top=30
python3 "$here/work_area.py" set 0 "$taskbar_top" $((screen_w - taskbar_right)) 900 >"$work/work_area" &
work_area_pid=$!
for _ in $(seq 50); do [ -s "$work/work_area" ] && break; sleep 0.1; done
restart_wine
start_program '2024-03-01 12:00:00' 1033
right=$((screen_w - taskbar_right))
check_eq "against the work area's right edge, 50 pixels below its top" \
  "$((right - 600)) $((taskbar_top + 50)) $right $((taskbar_top + 50 + 383))" "$(run_driver rect TForm1)"
run_driver post-close TForm1 >/dev/null
program_ends || fail "the program ends"
finish
