#!/usr/bin/env python3
"""Writes an icon file with four solid-colour images, like the program icon's layout:
32x32 in 16 colours (blue), 32x32 in 256 colours (red), 16x16 in 16 colours (green) and
16x16 in 256 colours (yellow); each has a transparency mask whose left column is see-through.
Tests tell by the colour which image was chosen."""
import struct
import sys

IMAGES = [(32, 4, (0, 0, 255)), (32, 8, (255, 0, 0)), (16, 4, (0, 160, 0)), (16, 8, (255, 255, 0))]


def row_bytes(width, bits):
    return ((width * bits + 31) // 32) * 4


def image(size, bits, rgb):
    colours = 1 << bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    palette = bytearray(4 * colours)
    palette[4:8] = bytes((rgb[2], rgb[1], rgb[0], 0))  # index 1 is the colour; 0 is black
    if bits == 4:
        row = bytes([0x11] * (size // 2)).ljust(row_bytes(size, 4), b'\0')
    else:
        row = bytes([1] * size).ljust(row_bytes(size, 8), b'\0')
    mask_row = (b'\x80' + b'\0' * (size // 8 - 1)).ljust(row_bytes(size, 1), b'\0')
    return header + bytes(palette) + row * size + mask_row * size


def main(path):
    blobs = [image(size, bits, rgb) for size, bits, rgb in IMAGES]
    out = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (size, bits, _), blob in zip(IMAGES, blobs):
        out += struct.pack('<BBBBHHII', size, size, 16 if bits == 4 else 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


if __name__ == '__main__':
    main(sys.argv[1])
