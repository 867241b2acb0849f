#!/usr/bin/env python3
"""Prints which test page each sheet shows: the number whose band colour is nearest to the
colour near the top of the sheet (the PPM files of pdftoppm, one per sheet, in order)."""
import sys

# kPageColours of test_report_pages.h (0x00BBGGRR), as (red, green, blue).
PAGE_COLOURS = [(0xCC, 0, 0), (0, 0xAA, 0), (0, 0, 0xCC), (0xCC, 0xCC, 0), (0xCC, 0, 0xCC),
                (0, 0xCC, 0xCC), (0x40, 0x40, 0x40), (0xFF, 0x80, 0), (0xFF, 0, 0x80),
                (0, 0x80, 0x80)]


def read_ppm(path):
    data = open(path, 'rb').read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    return int(fields[1]), int(fields[2]), data[at + 1:]


def page_of(path):
    width, height, pixels = read_ppm(path)
    at = 3 * ((height // 20) * width + width // 2)
    colour = tuple(pixels[at:at + 3])
    distances = [sum((a - b) ** 2 for a, b in zip(colour, c)) for c in PAGE_COLOURS]
    return distances.index(min(distances)) + 1


print(' '.join(str(page_of(p)) for p in sorted(sys.argv[1:], key=lambda p: int(p.rsplit('-', 1)[1].split('.')[0]))))
