#!/usr/bin/env python3
"""Prints which test page each sheet shows: the number whose band colour is nearest to the
colour near the top of the sheet (pictures of the sheets, in order)."""
import subprocess
import sys

# kPageColours of test_report_pages.h (0x00BBGGRR), as (red, green, blue).
PAGE_COLOURS = [(0xCC, 0, 0), (0, 0xAA, 0), (0, 0, 0xCC), (0xCC, 0xCC, 0), (0xCC, 0, 0xCC),
                (0, 0xCC, 0xCC), (0x40, 0x40, 0x40), (0xFF, 0x80, 0), (0xFF, 0, 0x80),
                (0, 0x80, 0x80)]


def band_colour(picture):
    """The pixel half way across, a twentieth of the way down."""
    hex_colour = subprocess.run(
        ['convert', picture, '-format', '%[hex:u.p{w/2,h/20}]', 'info:'],
        check=True, capture_output=True, text=True).stdout.strip()
    return tuple(int(hex_colour[i:i + 2], 16) for i in (0, 2, 4))


def page_of(picture):
    colour = band_colour(picture)
    distances = [sum((a - b) ** 2 for a, b in zip(colour, c)) for c in PAGE_COLOURS]
    return distances.index(min(distances)) + 1


def sheet_number(picture):
    return int(picture.rsplit('-', 1)[1].split('.')[0])


print(' '.join(str(page_of(p)) for p in sorted(sys.argv[1:], key=sheet_number)))
