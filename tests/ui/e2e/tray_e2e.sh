#!/usr/bin/env bash
# End-to-end test of the tray icon and its menu under wine64 and X: starts the program, finds
# its icon in wine's tray window, opens the menu with a right click, picks its commands with the
# mouse, and checks the main window, the icon and the menu's look with window probes and pixel
# probes on screenshots (kept in SHOTS for a person to look at).
#   tray_e2e.sh PROGRAM CLASS TITLE PROBE SHOTS
# PROGRAM owns the tray icon and reads the interface language from settings.ini under APPDATA;
# CLASS and TITLE are its main window's class and title; PROBE is tray_probe.exe.
set -uo pipefail
program=$1 class=$2 title=$3 probe_exe=$4
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
shots_in "$5"
shot_probe="python3 $(dirname "$0")/shot_probe.py"

probe() { wine_out "$probe_exe" "$@"; }
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
  file=$work/tray.png
  import -window root "$file"
  $shot_probe wine "$file" $area
}
icon_shown() { [ "$(icon_pixels | cut -d' ' -f1)" -gt 20 ]; }
menu_open() { [ "$(probe menu)" != none ]; }

set_aside_program_data  # the program reads its settings under the prefix's own APPDATA

start_program() {  # start_program LANG
  mkdir -p "$program_data"
  printf '[settings]\r\nLang=%s\r\n' "$1" >"$program_data/settings.ini"
  : >"$program_data/events.txt"
  "$wine" "$program" </dev/null >/dev/null 2>&1 &
  program_pid=$!
  check "the main window appears" 'wait_for shown 20'
  check "the icon shows in the notification area" 'wait_for icon_shown 20'
}

# Opens the menu with a right click on the icon; sets menu_rect and the three text bands.
open_menu() {
  read -r _ ix iy <<<"$(icon_pixels)"
  xdotool mousemove "$ix" "$iy" click 3
  check "a right click on the icon opens the menu" 'wait_for menu_open 5' || return 1
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
  check_eq "the menu shows 3 captions and a separator (bands of ink)" 4 "$(wc -l <<<"$bands")" || return
  local sep_top sep_bottom sep_left sep_right
  read -r sep_top sep_bottom sep_left sep_right <<<"$(sed -n 3p <<<"$bands")"
  check "the third band is a separator line ($sep_top $sep_bottom $sep_left $sep_right)" \
    '[ $((sep_bottom - sep_top)) -le 2 ] && [ $((sep_right - sep_left)) -gt 40 ]'
  widths=$(probe textwidth "$lang")
  local band caption top bottom left right normal bold
  for band in 1 2 4; do
    caption=$((band == 4 ? 3 : band))
    read -r top bottom left right <<<"$(sed -n "${band}p" <<<"$bands")"
    read -r normal bold <<<"$(sed -n "${caption}p" <<<"$widths")"
    local width=$((right - left + 1)) want=$normal style=normal
    [ "$caption" -eq 1 ] && { want=$bold; style=bold; }
    note "caption $caption: ink $width px wide (drawn normal $normal, bold $bold; want $style)"
    check_eq "caption $caption is as wide as in $style type" "$want" "$width"
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
  check "Minimize hides the main window" 'wait_for hidden 5'
  check "the menu closes after Minimize" "wait_for '! menu_open' 5"
  check "the icon stays after Minimize" icon_shown
  shot 03-minimized >/dev/null
fi

note "right press elsewhere, released over the icon"
xdotool mousemove 640 700 mousedown 3 mousemove "$ix" "$iy" mouseup 3
sleep 1
check "a release without a press on the icon opens no menu" '! menu_open' || xdotool key Escape
shot 04-release-only >/dev/null

note "double click shows the main window"
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 60 1
check "a double click shows the main window" 'wait_for shown 5'
shot 05-double-click >/dev/null

note "menu closes on a click elsewhere and opens again on the first right click"
if open_menu; then
  xdotool mousemove 640 700 click 1
  check "the menu closes on a click elsewhere" "wait_for '! menu_open' 5"
  if open_menu; then
    xdotool key Escape
    check "Escape closes the menu" "wait_for '! menu_open' 5"
  fi
fi

note "shell restart: the icon comes back, once"
check_eq "the shell drops the icon" forgotten "$(probe forget)"
check "the icon goes when the shell drops it" "wait_for '! icon_shown' 10"
probe taskbar
check "TaskbarCreated adds the icon again" 'wait_for icon_shown 10'
sleep 0.5
read -r count2 _ <<<"$(icon_pixels)"
check "after TaskbarCreated one icon shows ($count2 pixels, one icon has $count1)" \
  '[ "$count2" -lt $((count1 * 3 / 2)) ]'
shot 06-taskbar-created >/dev/null

note "second start shows the running copy and ends"
if open_menu; then read_captions 07-menu-again; click_band 2; fi
check "Minimize hides the main window" 'wait_for hidden 5'
"$wine" "$program" </dev/null >/dev/null 2>&1 &
second=$!
check "a second start ends" "wait_for '! kill -0 $second 2>/dev/null' 15" || kill $second
wait $second
check_eq "a second start ends without an error" 0 $?
check "a second start shows the running copy" 'wait_for shown 5'
read -r count3 _ <<<"$(icon_pixels)"
check "a second start adds no icon ($count3 pixels, one icon has $count1)" \
  '[ "$count3" -lt $((count1 * 3 / 2)) ]'
shot 08-second-start >/dev/null

note "Close ends the program and removes the icon"
if open_menu; then
  read_captions 09-menu-before-close
  click_band 3
  check "Close ends the program" "wait_for '! kill -0 $program_pid 2>/dev/null' 15"
  check "Close removes the icon" "wait_for '! icon_shown' 10"
  shot 10-closed >/dev/null
fi
program_pid=

note "Russian menu"
start_program 1049
if open_menu; then
  check_menu_look 11-menu-russian 1049
  click_band 3
  check "Close ends the program" "wait_for '! kill -0 $program_pid 2>/dev/null' 15"
fi
program_pid=

finish
