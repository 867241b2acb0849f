#!/usr/bin/env python3
"""Pixel probes on screenshots for the tray end-to-end test.

  shot_probe.py wine SHOT X Y W H    pixels of the icon's red wine in the area, and their
                                     centre: "count cx cy" (screen coordinates)
  shot_probe.py bands SHOT X Y W H   rows holding pixels that are not near white (text and
                                     lines) in the area, grouped into bands: one
                                     "top bottom left right" line per band
  shot_probe.py navy SHOT X Y W H    the first and last row holding navy pixels (the main
                                     window's heading) in the area: "top bottom", or "none"
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'lib'))
from netpbm import read_netpbm  # noqa: E402


def read_area(shot, x, y, w, h):
    ppm = subprocess.run(['convert', shot, '-crop', f'{w}x{h}+{x}+{y}', '+repage', 'ppm:-'],
                         check=True, capture_output=True).stdout
    return read_netpbm(ppm, b'P6')


def pixels(shot, x, y, w, h):
    width, height, data = read_area(shot, x, y, w, h)
    for row in range(height):
        for col in range(width):
            i = 3 * (row * width + col)
            yield col, row, data[i], data[i + 1], data[i + 2]


def wine(shot, x, y, w, h):
    found = [(c, r) for c, r, R, G, B in pixels(shot, x, y, w, h) if R > 130 and R - G > 60 and R - B > 50]
    if not found:
        print('0 0 0')
        return
    cx = sum(c for c, _ in found) // len(found)
    cy = sum(r for _, r in found) // len(found)
    print(len(found), x + cx, y + cy)


def bands(shot, x, y, w, h):
    rows = {}
    for c, r, R, G, B in pixels(shot, x, y, w, h):
        if R + G + B < 600:
            lo, hi = rows.get(r, (c, c))
            rows[r] = (min(lo, c), max(hi, c))
    current = None
    for r in range(h + 1):
        if r in rows:
            lo, hi = rows[r]
            if current is None:
                current = [r, r, lo, hi]
            else:
                current = [current[0], r, min(current[2], lo), max(current[3], hi)]
        elif current is not None:
            print(y + current[0], y + current[1], x + current[2], x + current[3])
            current = None


def navy(shot, x, y, w, h):
    # Navy and its darkest anti-aliased shades; the face's blues are far lighter.
    found = sorted({r for _, r, R, G, B in pixels(shot, x, y, w, h) if B > 90 and R < 40 and G < 40})
    print(f'{y + found[0]} {y + found[-1]}' if found else 'none')


if __name__ == '__main__':
    command, shot, *area = sys.argv[1:]
    {'wine': wine, 'bands': bands, 'navy': navy}[command](shot, *map(int, area))
