#!/usr/bin/env bash
# End-to-end test of the tray icon and its menu under wine64 and X: starts the program, finds
# its icon in wine's tray window, opens the menu with a right click, picks its commands with the
# mouse, and checks the main window, the icon and the menu's look with window probes and pixel
# probes on screenshots (kept in SHOTS for a person to look at).
#   tray_e2e.sh PROGRAM CLASS TITLE PROBE SHOTS
# PROGRAM owns the tray icon and reads the interface language from settings.ini under APPDATA;
# CLASS and TITLE are its main window's class and title; PROBE is tray_probe.exe.
set -uo pipefail
program=$1 class=$2 title=$3 probe_exe=$4 shots=$5
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
wine_run=$root/tools/wine-run
shot_probe="python3 $here/shot_probe.py"
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}

if [ -z "${DISPLAY:-}" ]; then
  echo "FAIL: no X display (./test.sh starts one)"
  exit 1
fi
mkdir -p "$shots"
rm -f "$shots"/*.png
failures=0
pid=

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
note() { echo "-- [${SECONDS}s] $*"; }
probe() { "$wine_run" "$probe_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# Retries a condition (a shell expression) until it holds or SECONDS pass.
wait_for() {
  local until=$((SECONDS + $2))
  while ! eval "$1"; do
    [ $SECONDS -ge "$until" ] && return 1
    sleep 0.2
  done
}
shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }
window_state() { probe window "$class"; }
# Whether X has the main window on the screen (wine may unmap a hidden window a little later);
# windows of the same title too small to be the main window do not count.
on_screen() {
  local id
  for id in $(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" -ge 100 ] && return 0
  done
  return 1
}
shown() { [ "$(window_state)" = visible ] && on_screen; }
hidden() { [ "$(window_state)" = hidden ] && ! on_screen; }

# The tray window wine shows when the display has no system tray.
tray_area() {
  local id
  id=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n1)
  [ -n "$id" ] || { echo ""; return; }
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$X $Y $WIDTH $HEIGHT"
}
# "count x y" of the icon's wine-red pixels in the tray window ("0 0 0" when none).
icon_pixels() {
  local area file
  area=$(tray_area)
  [ -n "$area" ] || { echo "0 0 0"; return; }
  file=$(mktemp --suffix=.png)
  import -window root "$file"
  $shot_probe wine "$file" $area
  rm -f "$file"
}
icon_shown() { [ "$(icon_pixels | cut -d' ' -f1)" -gt 20 ]; }
menu_open() { [ "$(probe menu)" != none ]; }

# The program's folder under APPDATA: what was there before the test is put back afterwards.
appdata=$("$wine_run" cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')
appdata=$("$wine_run" winepath -u "$appdata" </dev/null 2>/dev/null)
[ -n "$appdata" ] || { echo "FAIL: no APPDATA folder in the wine prefix"; exit 1; }
saved=$(mktemp -d)
[ -d "$appdata/Ormind" ] && mv "$appdata/Ormind" "$saved/"
restore_appdata() {
  rm -rf "$appdata/Ormind"
  [ -d "$saved/Ormind" ] && mv "$saved/Ormind" "$appdata/"
  rm -rf "$saved"
}

start_program() {
  local lang=$1
  mkdir -p "$appdata/Ormind"
  printf '[settings]\r\nLang=%s\r\n' "$lang" >"$appdata/Ormind/settings.ini"
  : >"$appdata/Ormind/events.txt"
  "$wine_run" "$program" </dev/null >/dev/null 2>&1 &
  pid=$!
  wait_for shown 20 || fail "main window did not appear"
  wait_for icon_shown 20 || fail "no icon in the notification area"
}
stop_program() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  pid=
}
trap 'stop_program; restore_appdata' EXIT

# Opens the menu with a right click on the icon; sets menu_rect and the three text bands.
open_menu() {
  read -r _ ix iy <<<"$(icon_pixels)"
  xdotool mousemove "$ix" "$iy" click 3
  wait_for menu_open 5 || { fail "right click on the icon opened no menu"; return 1; }
  sleep 0.3
  menu_rect=$(probe menu)
}
# Bands of ink inside the open menu's frame, from a screenshot: "top bottom left right" per
# line; captions and the separator line each make one.
menu_bands() {
  local x y w h
  read -r x y w h <<<"$menu_rect"
  $shot_probe bands "$1" $((x + 4)) $((y + 4)) $((w - 8)) $((h - 8))
}
# The captions' bands only (the separator line is at most three rows high).
read_captions() { read_menu "$1"; bands=$(awk '$2 - $1 > 2' <<<"$bands"); }
click_band() {  # the n-th caption of the menu
  local top bottom
  read -r top bottom _ <<<"$(sed -n "${1}p" <<<"$bands")"
  read -r mx _ mw _ <<<"$menu_rect"
  xdotool mousemove $((mx + mw / 2)) $(((top + bottom) / 2)) click 1
}
# Screenshot NAME of the open menu and its bands; the menu may still be painting when it is
# first seen, so look again until the three captions and the separator are there.
read_menu() {
  local tries=0 file
  while :; do
    file=$(shot "$1")
    bands=$(menu_bands "$file")
    [ "$(wc -l <<<"$bands")" -eq 4 ] || [ $tries -ge 10 ] && break
    tries=$((tries + 1)); sleep 0.3
  done
}
# Checks the menu's look: Show (bold), Minimize, a separator and Close, by comparing the ink
# of each caption with the captions drawn by the probe in the menu font, normal and bold.
check_menu_look() {
  local lang=$2 widths
  read_menu "$1"
  note "menu at $menu_rect; bands of ink (top bottom left right):"; sed 's/^/   /' <<<"$bands"
  [ "$(wc -l <<<"$bands")" -eq 4 ] || { fail "menu shows $(wc -l <<<"$bands") bands, not 3 captions and a separator"; return; }
  local sep_top sep_bottom sep_left sep_right
  read -r sep_top sep_bottom sep_left sep_right <<<"$(sed -n 3p <<<"$bands")"
  [ $((sep_bottom - sep_top)) -le 2 ] && [ $((sep_right - sep_left)) -gt 40 ] ||
    fail "third band is no separator line: $sep_top $sep_bottom $sep_left $sep_right"
  widths=$(probe textwidth "$lang")
  local band caption top bottom left right normal bold
  for band in 1 2 4; do
    caption=$((band == 4 ? 3 : band))
    read -r top bottom left right <<<"$(sed -n "${band}p" <<<"$bands")"
    read -r normal bold <<<"$(sed -n "${caption}p" <<<"$widths")"
    local width=$((right - left + 1)) want=$normal style=normal
    [ "$caption" -eq 1 ] && { want=$bold; style=bold; }
    note "caption $caption: ink $width px wide (drawn normal $normal, bold $bold; want $style)"
    [ "$width" -eq "$want" ] || fail "caption $caption is $width px wide, not $want as in $style type"
  done
  bands=$(awk '$2 - $1 > 2' <<<"$bands")  # the captions, for click_band
}

note "English: start, icon, menu"
start_program 1033
shot 01-started >/dev/null
read -r count1 ix iy <<<"$(icon_pixels)"
note "icon: $count1 wine-red pixels around $ix,$iy"
if open_menu; then
  check_menu_look 02-menu-english 1033
  note "Minimize"
  click_band 2
  wait_for hidden 5 || fail "Minimize did not hide the main window"
  wait_for '! menu_open' 5 || fail "menu still open after Minimize"
  icon_shown || fail "icon gone after Minimize"
  shot 03-minimized >/dev/null
fi

note "right press elsewhere, released over the icon"
xdotool mousemove 640 700 mousedown 3 mousemove "$ix" "$iy" mouseup 3
sleep 1
menu_open && { fail "a release without a press on the icon opened the menu"; xdotool key Escape; }
shot 04-release-only >/dev/null

note "double click shows the main window"
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 60 1
wait_for shown 5 || fail "double click did not show the main window"
shot 05-double-click >/dev/null

note "menu closes on a click elsewhere and opens again on the first right click"
if open_menu; then
  xdotool mousemove 640 700 click 1
  wait_for '! menu_open' 5 || fail "menu stayed open after a click elsewhere"
  if open_menu; then xdotool key Escape; wait_for '! menu_open' 5 || fail "Escape left the menu open"; fi
fi

note "shell restart: the icon comes back, once"
[ "$(probe forget)" = forgotten ] || fail "the shell would not drop the icon"
wait_for '! icon_shown' 10 || fail "icon still shown after the shell dropped it"
probe taskbar
wait_for icon_shown 10 || fail "icon not added again after TaskbarCreated"
sleep 0.5
read -r count2 _ <<<"$(icon_pixels)"
[ "$count2" -lt $((count1 * 3 / 2)) ] || fail "after TaskbarCreated: $count2 icon pixels, one icon has $count1"
shot 06-taskbar-created >/dev/null

note "second start shows the running copy and ends"
if open_menu; then read_captions 07-menu-again; click_band 2; fi
wait_for hidden 5 || fail "Minimize did not hide the main window"
"$wine_run" "$program" </dev/null >/dev/null 2>&1 &
second=$!
wait_for '! kill -0 $second 2>/dev/null' 15 || { fail "second start did not end"; kill $second; }
wait $second; [ $? -eq 0 ] || fail "second start ended with an error"
wait_for shown 5 || fail "second start did not show the running copy"
read -r count3 _ <<<"$(icon_pixels)"
[ "$count3" -lt $((count1 * 3 / 2)) ] || fail "a second icon appeared ($count3 pixels, one icon has $count1)"
shot 08-second-start >/dev/null

note "Close ends the program and removes the icon"
if open_menu; then
  read_captions 09-menu-before-close
  click_band 3
  wait_for '! kill -0 $pid 2>/dev/null' 15 || fail "Close did not end the program"
  wait_for '! icon_shown' 10 || fail "icon still shown after Close"
  shot 10-closed >/dev/null
fi
pid=

note "Russian menu"
start_program 1049
if open_menu; then
  check_menu_look 11-menu-russian 1049
  click_band 3
  wait_for '! kill -0 $pid 2>/dev/null' 15 || fail "Close did not end the program"
fi
pid=

[ "$failures" -eq 0 ] && echo "PASS: tray end-to-end" || echo "$failures failure(s)"
[ "$failures" -eq 0 ]
