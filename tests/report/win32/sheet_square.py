#!/usr/bin/env python3
"""Prints where the black square lies on a printed sheet: "LEFT TOP WIDTH HEIGHT" in millimetres,
from the sheet's top left corner as the sheet is seen (a picture of its top left corner, grey
PGM as pdftoppm -gray writes it, at DPI dots per inch). Prints "none" without a dark pixel.
  sheet_square.py PICTURE.pgm DPI"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'lib'))
from netpbm import read_netpbm  # noqa: E402


def read_pgm(path):
    with open(path, 'rb') as f:
        try:
            width, height, pixels = read_netpbm(f.read(), b'P5')
        except ValueError as error:
            raise SystemExit(f'{path}: {error}')
    return width, height, pixels[:width * height]


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
