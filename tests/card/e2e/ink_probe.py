#!/usr/bin/env python3
"""Counts the pixels of a picture (binary PPM) close to a colour inside a rectangle given in
millimetres of an A4 page (the picture covers the whole page), or in pixels with --pixels.

    ink_probe.py PICTURE.ppm X0 Y0 X1 Y1 RRGGBB [TOLERANCE] [--pixels]
"""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6":
        raise SystemExit("not a binary PPM: " + path)
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def main(argv):
    pixels = "--pixels" in argv
    argv = [a for a in argv if a != "--pixels"]
    path, x0, y0, x1, y1, colour = argv[1:7]
    tolerance = int(argv[7]) if len(argv) > 7 else 40
    width, height, body = read_ppm(path)
    scale_x, scale_y = (1, 1) if pixels else (width / 210.0, height / 297.0)
    box = [int(float(v) * s) for v, s in ((x0, scale_x), (y0, scale_y), (x1, scale_x), (y1, scale_y))]
    want = [int(colour[i:i + 2], 16) for i in (0, 2, 4)]
    count = 0
    for y in range(max(box[1], 0), min(box[3], height)):
        row = y * width * 3
        for x in range(max(box[0], 0), min(box[2], width)):
            p = body[row + 3 * x:row + 3 * x + 3]
            if all(abs(p[i] - want[i]) <= tolerance for i in range(3)):
                count += 1
    print(count)


if __name__ == "__main__":
    main(sys.argv)
