# shellcheck shell=bash
# Shared by the end-to-end scripts (sourced, from bash): counted checks and the final verdict,
# comparisons, paths between Linux and wine, the wine session and its display, the driver
# program, screenshots, starting and stopping the program under test, and clean-up on exit.
#   source "$(dirname "$0")/.../tests/lib/e2e.sh"
# Sourcing makes a work folder ($work) and sets the exit trap; everything else runs when called.
# A script ends with `finish`: its exit status is 0 only when every check passed, and a script
# that stops before reaching `finish` fails even when its last command succeeded.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$e2e_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=$e2e_root/tools/wine-run  # wine64 on the prefix above, created on first use

# --- Results --------------------------------------------------------------------------------
checks=0 failures=0 e2e_finished=0
pass() { checks=$((checks + 1)); echo "ok:   $1"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAIL: $1"; }
note() { echo "-- [${SECONDS}s] $*"; }
# Each check returns 1 when it fails, so that a script can skip what depends on it.
check() {  # check WHAT CONDITION: CONDITION is evaluated
  if eval "$2"; then pass "$1"; else fail "$1"; return 1; fi
}
require() {  # require WHAT CONDITION: as check, but the script cannot go on without it
  check "$1" "$2" || exit 1
}
check_eq() {  # check_eq WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; return 1; fi
}
check_ge() {  # check_ge WHAT LEAST NUMBER
  if [ "$3" -ge "$2" ] 2>/dev/null; then pass "$1 ($3)"; else fail "$1: expected at least $2, got [$3]"; return 1; fi
}
check_le() {  # check_le WHAT MOST NUMBER
  if [ "$3" -le "$2" ] 2>/dev/null; then pass "$1 ($3)"; else fail "$1: expected at most $2, got [$3]"; return 1; fi
}
finish() {  # the verdict: exits 0 when every check passed
  e2e_finished=1
  echo "$(basename "$0"): $failures of $checks checks failed${1:+; $1}"
  [ "$checks" -gt 0 ] || { echo "FAIL: no check ran"; exit 1; }
  exit $((failures > 0))
}
require_programs() {  # require_programs PROGRAM...: each must be installed
  local program
  for program; do
    command -v "$program" >/dev/null || { fail "$program is missing (tools/setup installs it)"; exit 1; }
  done
}

# --- Waiting --------------------------------------------------------------------------------
wait_for() {  # wait_for CONDITION SECONDS: retries CONDITION (evaluated) until it holds
  local until=$((SECONDS + $2))
  while ! eval "$1"; do
    [ $SECONDS -ge "$until" ] && return 1
    sleep 0.2
  done
}
eventually() {  # eventually EXPECTED COMMAND...: COMMAND's output once it is EXPECTED (10 s at most)
  local expected=$1 out i
  shift
  for ((i = 0; i < 40; i++)); do
    out=$("$@")
    [ "$out" = "$expected" ] && break
    sleep 0.25
  done
  echo "$out"
}

# --- Work folder and clean-up ---------------------------------------------------------------
# No dot in the folder's name: wine's file dialogs take one for the start of an extension.
work=$(mktemp -d "${TMPDIR:-/tmp}/ormind-$(basename "$0" .sh)-XXXXXX")
shots=${ORMIND_E2E_SHOTS:-$work}  # where shot writes; shots_in sets another folder
e2e_exit_steps=()
on_exit() {  # on_exit COMMAND: runs COMMAND (evaluated) at exit, the last registered first
  e2e_exit_steps+=("$1")
}
e2e_exit() {
  local status=$? i
  trap - EXIT
  stop_program
  for ((i = ${#e2e_exit_steps[@]} - 1; i >= 0; i--)); do eval "${e2e_exit_steps[i]}"; done
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
  if [ "$e2e_finished" = 0 ] && [ "$status" = 0 ]; then
    echo "FAIL: $(basename "$0") ended before its verdict"
    status=1
  fi
  exit "$status"
}
trap e2e_exit EXIT
trap 'exit 1' INT TERM  # a timeout's kill still runs the clean-up

# --- Paths and wine -------------------------------------------------------------------------
winpath() { echo "Z:${1//\//\\}"; }
wine_out() {  # wine_out PROGRAM ARGUMENT...: its standard output, without carriage returns
  timeout 60 "$wine" "$@" </dev/null 2>/dev/null | tr -d '\r'
}
wine_unix_path() { wine_out winepath -u "$1"; }
wine_appdata() {  # the Linux path of the application-data folder programs get in the prefix
  wine_unix_path "$(wine_out cmd /c echo %APPDATA%)"
}
need_display() {
  [ -n "${DISPLAY:-}" ] || { fail "needs DISPLAY: run through ./test.sh (it starts Xvfb)"; exit 1; }
}
private_display_unless_set() {  # a private Xvfb display when DISPLAY is not set, ended at exit
  [ -n "${DISPLAY:-}" ] && return 0
  source "$e2e_root/tools/xvfb-start"
  on_exit xvfb_stop
}
private_wine_session() {  # private_wine_session PREFIX: a fresh prefix and a server of its own
  export WINEPREFIX=$1
  "$e2e_root/tools/wine-prefix"
  on_exit '"$e2e_root/tools/wine-prefix" stop'
}
set_aside_program_data() {  # the prefix's Ormind folder under APPDATA is put back at exit
  program_data=$(wine_appdata)/Ormind
  [ "$program_data" != /Ormind ] || { fail "no APPDATA folder in the wine prefix"; exit 1; }
  mkdir -p "$work/set-aside"
  [ -e "$program_data" ] && mv "$program_data" "$work/set-aside/"
  on_exit 'rm -rf "$program_data"; [ -e "$work/set-aside/Ormind" ] && mv "$work/set-aside/Ormind" "$program_data"'
}
use_print_queue() {  # a private PDF-writing queue (tools/print-queue), its PDFs in $work/pdf
  source "$e2e_root/tools/print-queue" "$work" || { fail "no print queue"; exit 1; }
  on_exit print_queue_stop
}

# --- The driver program (tests/ui/driver) and the program under test -----------------------
# The sourcing script sets driver (the driver's .exe) and, to start Ormind, ormind.
run_driver() { timeout 30 "$wine" "$driver" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
program_pid=  # the Linux process started in the background for the program's run
windows_pid=  # the program's own Windows process id, when the driver started it
stop_program() {
  if [ -n "$windows_pid" ]; then
    run_driver kill "$windows_pid" >/dev/null
    run_driver exited "$windows_pid" 5000 >/dev/null
  fi
  if [ -n "$program_pid" ]; then
    pkill -P "$program_pid" 2>/dev/null
    kill "$program_pid" 2>/dev/null
  fi
  windows_pid= program_pid=
}
no_program_window() {  # no_program_window CLASS...: stops the script when one is open
  local class
  for class; do
    if run_driver wait "$class" 0 >/dev/null; then fail "another Ormind window is open ($class)"; exit 1; fi
  done
}
start_ormind() {  # start_ormind FOLDER LANG [PRINT_PICTURE]: Ormind through the driver
  # With APPDATA=FOLDER, settings naming the event list beside them (three days ahead) and the
  # event list the script's write_events FILE writes; sets settings_file, events_file and the
  # window's origin. program_date runs it under faketime; program_winedebug and program_log
  # keep wine's trace of its calls; start_wait_for names the window to wait for (a message box
  # may come before the main window); extra_settings adds lines to settings.ini, each ending in
  # \r\n. With clock_file set as well, the clock stands still at program_date, read from that
  # file, which the script may change while the program runs.
  local clock=()
  settings_file=$1/Ormind/settings.ini events_file=$1/Ormind/events.txt
  mkdir -p "$1/Ormind"
  printf '[settings]\r\nEventsFile=%s\r\nDaysBefore=3\r\nLang=%s\r\nPrintPicture=%s\r\n%s' \
    "$(winpath "$events_file")" "$2" "${3:-}" "${extra_settings:-}" >"$settings_file"
  write_events "$events_file"
  no_program_window TForm1
  if [ -n "${program_date:-}" ] && [ -n "${clock_file:-}" ]; then
    echo "$program_date" >"$clock_file"
    clock=(env LD_PRELOAD="$(echo /usr/lib/*/faketime/libfaketime.so.1)"
           FAKETIME_TIMESTAMP_FILE="$clock_file" FAKETIME_CACHE_DURATION=1
           FAKETIME_DONT_FAKE_MONOTONIC=1)
  elif [ -n "${program_date:-}" ]; then
    clock=(faketime "$program_date")
  fi
  WINEDEBUG=${program_winedebug:-$WINEDEBUG} "${clock[@]}" "$wine" "$driver" start \
    "$(winpath "$1")" "$(winpath "$ormind")" </dev/null >"$work/started" 2>"${program_log:-/dev/null}" &
  program_pid=$!
  if ! check "the program shows a window" 'run_driver wait "${start_wait_for:-TForm1}" 20000 >/dev/null'; then
    # What there was instead, for whoever reads a failed run's log; the copy is ended at exit.
    windows_pid=$(tr -d '\r' <"$work/started")
    note "process ${windows_pid:-not started}: $(run_driver exited "${windows_pid:-0}" 0 && echo ended || echo running)"
    note "windows with titles: $(run_driver titles '' | tr '\n' '|')"
    note "Ormind processes: $(ps -eo pid,etimes,args | grep -i '[o]rmind\.exe' | tr '\n' '|')"
    exit 1
  fi
  windows_pid=$(tr -d '\r' <"$work/started")
  sleep 0.5
  window_origin
}
program_ends() {  # the main window goes and the program's process ends
  run_driver gone TForm1 5000 >/dev/null && run_driver exited "$windows_pid" 10000 >/dev/null ||
    return 1
  windows_pid=
  stop_program
}
window_origin() { read -r wx wy _ < <(run_driver rect "${1:-TForm1}"); }  # sets wx wy
click_at() {  # click_at X Y [BUTTON]: a click at X, Y of the window window_origin read
  xdotool mousemove $((wx + $1)) $((wy + $2)); sleep 0.2
  xdotool click "${3:-1}"; sleep 0.6
}
heading() { run_driver text TForm1 TScrollBox | head -n1; }  # the day view's first line
wait_title() {  # wait_title TEXT: the titles of windows that show TEXT, once there are any
  local titles=
  for _ in $(seq 50); do titles=$(run_driver titles "$1"); [ -n "$titles" ] && break; sleep 0.2; done
  echo "$titles"
}
close_titled() {  # close_titled TEXT: closes the windows whose title has TEXT
  run_driver close-title "$1" >/dev/null
  for _ in $(seq 50); do [ -z "$(run_driver titles "$1")" ] && break; sleep 0.2; done
  sleep 2.5  # wine takes a moment to take a managed window off the X display
}

# --- Screenshots ----------------------------------------------------------------------------
shots_in() {  # shots_in FOLDER: screenshots go there, for a person to look at afterwards
  shots=$1
  mkdir -p "$shots" && rm -f "$shots"/*.png
}
shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }  # prints its file
pixel() { convert "$1" -format "%[hex:u.p{$2,$3}]" info:; }  # pixel FILE X Y: RRGGBB
