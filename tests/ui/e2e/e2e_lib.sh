# Shared by the end-to-end scripts of the main window: the wine session, the driver program,
# checks and counting, screenshots and pixel probes, starting and ending the program.
# The sourcing script sets ormind, driver and face, and defines write_events FILE.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

work=$(mktemp -d "${TMPDIR:-/tmp}/ormind-e2e.XXXXXX")
shots=${ORMIND_E2E_SHOTS:-$work}
failures=0
program_pid=  # faketime's, for the program's whole run
windows_pid=  # the program's own, in wine

stop_program() {
  [ -n "$windows_pid" ] && run_driver kill "$windows_pid" >/dev/null
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  windows_pid= program_pid=
}
cleanup() {
  stop_program
  rm -rf "$work"
}
trap cleanup EXIT

winpath() { echo "Z:${1//\//\\}"; }
run_driver() { timeout 30 "$wine" "$driver" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
pass() { echo "ok:   $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check_eq() {  # check_eq WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

# Screen geometry, window placement and the probes.
read -r screen_w _ < <(xdotool getdisplaygeometry)
shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }
pixel() { convert "$1" -format "%[hex:u.p{$2,$3}]" info:; }
face_pixel() { pixel "$face" "$1" "$2"; }
window_origin() { read -r wx wy _ < <(run_driver rect TForm1); }
click_at() {  # client coordinates of the main window
  xdotool mousemove $((wx + $1)) $((wy + $2)); sleep 0.2
  xdotool click "${3:-1}"; sleep 0.6
}
heading() { run_driver text TForm1 TScrollBox | head -n1; }

start_program() {  # start_program DATE LANG; the script's write_events FILE writes the list
  local appdata=$work/appdata-$2
  mkdir -p "$appdata/Ormind"
  printf '[settings]\r\nEventsFile=%s\r\nDaysBefore=3\r\nLang=%s\r\nPrintPicture=\r\n' \
    "$(winpath "$appdata/Ormind/events.txt")" "$2" >"$appdata/Ormind/settings.ini"
  events_file=$appdata/Ormind/events.txt
  write_events "$events_file"
  if run_driver wait TForm1 0 >/dev/null; then fail "another Ormind window is open"; exit 1; fi
  # program_winedebug and program_log turn on and keep wine's trace of the program's calls.
  WINEDEBUG=${program_winedebug:-$WINEDEBUG} faketime "$1" "$wine" "$driver" start \
    "$(winpath "$appdata")" "$(winpath "$ormind")" </dev/null >"$work/started" \
    2>"${program_log:-/dev/null}" &
  program_pid=$!
  # start_wait_for names another window class to wait for (a message box before the window).
  if run_driver wait "${start_wait_for:-TForm1}" 20000 >/dev/null; then pass "the program shows a window"; else
    fail "the program shows a window"; exit 1; fi
  windows_pid=$(tr -d '\r' <"$work/started")
  sleep 0.5
  window_origin
}

program_ends() {
  if run_driver gone TForm1 5000 >/dev/null && run_driver exited "$windows_pid" 10000 >/dev/null; then
    windows_pid=
    stop_program
    return 0
  fi
  return 1
}

