#!/usr/bin/env bash
# End-to-end test of the skinned windows at display scales other than 100 %, under wine64 with
# the display's DPI set in a prefix of the test's own: at each DPI the main window has its
# layout's size times DPI / 96 against the right edge of the work area, its see-through corner
# stays see-through and its heading is as much taller as the scale; at 144 DPI the greeting
# editor is 669 x 504 and its fields take typing, and its print button opens a preview whose
# page is drawn at device pixels. Screenshots "scale_<dpi>" (and "editor_<dpi>",
# "preview_<dpi>") go to ORMIND_E2E_SHOTS when it names a folder.
#   display_scale.sh ORMIND_EXE DRIVER_EXE [DPI...]     (96 and 144 when none is given)
set -uo pipefail
ormind=$(realpath "$1") driver=$(realpath "$2")
shift 2
dpis=("$@")
[ $# -eq 0 ] && dpis=(96 144)
# shellcheck source=../../lib/e2e.sh
source "$(dirname "$0")/../../lib/e2e.sh"
need_display
[ -n "${ORMIND_E2E_SHOTS:-}" ] && shots_in "$ORMIND_E2E_SHOTS"
here=$(dirname "$(realpath "$0")")
write_events() { printf '%s\r\n' '[Birthday]' 'Ivan=01.03.1974' >"$1"; }
read -r screen_w _ < <(xdotool getdisplaygeometry)
scaled() { echo $((($1 * $2 + 48) / 96)); }  # scaled LENGTH DPI: to the nearest pixel

# A prefix of its own: the DPI is the user's setting, read when the wine server starts.
require "a copy of the wine prefix" 'cp -a "$WINEPREFIX" "$work/prefix"'
private_wine_session "$work/prefix"
set_dpi() {
  wine_out reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  wine_out reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  "$e2e_root/tools/wine-prefix" stop; /usr/lib/wine/wineserver -w; "$e2e_root/tools/wine-prefix" >/dev/null 2>&1
}

# The preview at DPI: its window, toolbar and status bar at the scale, and the page drawn at
# device pixels. The page's frame is one pixel and its shadow starts two pixels below the
# page's top: a page drawn at 96 DPI and stretched would move both, showing the page there.
check_preview() {  # check_preview DPI
  local dpi=$1 l t r b s face
  read -r l t r b < <(run_driver rect TRptStandardPreview)
  check_eq "at $dpi DPI the preview opens $(scaled 652 "$dpi") x $(scaled 579 "$dpi")" \
    "$(scaled 652 "$dpi") $(scaled 579 "$dpi")" "$((r - l)) $((b - t))"
  read -r l t r b < <(run_driver childrect TRptStandardPreview ToolbarWindow32)
  # 32-pixel glyphs make buttons of at least 38 pixels; 16-pixel ones, 22.
  check_ge "at $dpi DPI the toolbar is tall enough for 32-pixel glyphs" 38 "$((b - t))"
  read -r l t r b < <(run_driver childrect TRptStandardPreview msctls_statusbar32)
  check_ge "at $dpi DPI the status bar fits the system's text size" "$(scaled 18 "$dpi")" "$((b - t))"
  s=$(shot "preview_$dpi")
  read -r l t r b < <(run_driver childrect TRptStandardPreview TRptPreviewImage)
  face=$(pixel "$s" $((l - 4)) $((t + 4)))
  # The frame's top right corner and the shadow's first row are black whatever the page shows.
  check_eq "at $dpi DPI the page's frame and shadow are drawn at device pixels (top right corner)" \
    "000000 000000 000000 000000" \
    "$(for at in "$((r - 3)) $t" "$((r - 3)) $((t + 1))" "$((r - 2)) $((t + 2))" "$((r - 1)) $((t + 2))"; do
         echo "$(pixel "$s" $at)"; done | xargs)"
  check_eq "at $dpi DPI the page's left frame lies on its edge" "000000 $face" \
    "$(pixel "$s" "$l" $((t + 40))) $(pixel "$s" $((l - 1)) $((t + 40)))"
}

heading_96=
for dpi in "${dpis[@]}"; do
  note "at $dpi DPI"
  set_dpi "$dpi"
  start_ormind "$work/appdata-$dpi" 1033
  width=$(scaled 600 "$dpi") height=$(scaled 383 "$dpi") top=$(scaled 50 "$dpi")
  check_eq "at $dpi DPI the main window is ${width} x ${height}, against the screen's right edge, $top below its top" \
    "$((screen_w - width)) $top $screen_w $((top + height))" "$(run_driver rect TForm1)"
  s=$(shot "scale_$dpi")
  check_eq "at $dpi DPI its upper right corner is see-through" 000000 "$(pixel "$s" $((screen_w - 1)) "$wy")"
  check_eq "at $dpi DPI its lower left corner is see-through" 000000 "$(pixel "$s" "$wx" $((wy + height - 1)))"
  read -r bl bt br bb < <(run_driver childrect TForm1 TScrollBox)
  read -r top bottom < <(python3 "$here/shot_probe.py" navy "$s" "$bl" "$bt" $((br - bl)) $((bb - bt)))
  if [ "$top" = none ]; then
    fail "at $dpi DPI the heading is drawn"
  else
    tall=$((bottom - top + 1))
    note "heading $tall pixels tall"
    if [ "$dpi" = 96 ]; then
      heading_96=$tall
    elif [ -n "$heading_96" ]; then
      # Text is not scaled as a picture is: a pixel or two of its own rounding either way.
      expected=$(scaled "$heading_96" "$dpi")
      check "at $dpi DPI the heading is $expected pixels tall, give or take 2 ($tall)" \
        '[ $((tall - expected)) -le 2 ] && [ $((expected - tall)) -le 2 ]'
    fi
  fi

  if [ "$dpi" = 144 ]; then
    click_at "$(scaled 160 "$dpi")" "$(scaled 268 "$dpi")"  # print a greeting
    require "at $dpi DPI the editor opens" 'run_driver wait TForm2 10000 >/dev/null'
    sleep 0.5
    read -r ex ey er eb < <(run_driver rect TForm2)
    check_eq "at $dpi DPI the editor is 669 x 504" "669 504" "$((er - ex)) $((eb - ey))"
    xdotool type --delay 30 "Dear Ivan"; sleep 0.3
    check_eq "its salutation takes typing" "Dear Ivan" "$(run_driver text TForm2 Edit)"
    s=$(shot "editor_$dpi")
    check_eq "the editor's upper left corner is see-through" 000000 "$(pixel "$s" "$ex" "$ey")"
    wx=$ex wy=$ey click_at "$(scaled 360 "$dpi")" "$(scaled 52 "$dpi")"  # the editor's print
    if run_driver wait TRptStandardPreview 15000 >/dev/null; then
      sleep 1.5
      check_preview "$dpi"
      run_driver post-close TRptStandardPreview >/dev/null
      run_driver gone TRptStandardPreview 10000 >/dev/null && sleep 2.5
    else
      fail "at $dpi DPI the editor's print button opens the preview"
    fi
    wx=$ex wy=$ey click_at "$(scaled 400 "$dpi")" "$(scaled 52 "$dpi")"  # the editor's close
    run_driver gone TForm2 5000 >/dev/null && pass "the editor closes" || fail "the editor closes"
  fi
  run_driver post-close TForm1 >/dev/null
  program_ends || fail "at $dpi DPI the program ends"
done
finish
