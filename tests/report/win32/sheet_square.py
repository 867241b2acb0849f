#!/usr/bin/env python3
"""Prints where the black square lies on a printed sheet: "LEFT TOP WIDTH HEIGHT" in millimetres,
from the sheet's top left corner as the sheet is seen (a picture of its top left corner, grey
PGM as pdftoppm -gray writes it, at DPI dots per inch). Prints "none" without a dark pixel.
  sheet_square.py PICTURE.pgm DPI"""
import sys


def read_pgm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum, each followed by white space
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b'P5':
        raise SystemExit(f'{path}: not a grey PGM picture')
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height]


def dark_box(width, height, pixels):
    """(first column, first row, columns, rows) of the pixels darker than mid grey."""
    dark = bytes(1 if v < 128 else 0 for v in range(256))
    rows, left, right = [], width, -1
    for y in range(height):
        row = pixels[y * width:(y + 1) * width].translate(dark)
        first = row.find(1)
        if first < 0:
            continue
        rows.append(y)
        left = min(left, first)
        right = max(right, row.rfind(1))
    if not rows:
        return None
    return left, rows[0], right - left + 1, rows[-1] - rows[0] + 1


def main():
    width, height, pixels = read_pgm(sys.argv[1])
    dpi = float(sys.argv[2])
    box = dark_box(width, height, pixels)
    if box is None:
        print('none')
        return
    print(' '.join(f'{v * 25.4 / dpi:.2f}' for v in box))


main()
