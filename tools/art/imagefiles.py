"""Reading PNG (as rsvg-convert writes it) and writing PNG, BMP and ICO files.

Everything is standard-library Python except the final deflate of the PNG files, which is
Debian's zopfli: it packs the same data about 7 % smaller than zlib's best level, and like
zlib it writes the same bytes on every run.
"""

import os
import struct
import subprocess
import tempfile
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png_rgba(path):
    """Reads an 8-bit RGB or RGBA, non-interlaced PNG; returns rows of (r, g, b, a) tuples."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != PNG_SIGNATURE:
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError(f"{path}: expected 8-bit RGB or RGBA without interlacing")
    raw = zlib.decompress(b"".join(idat))
    bpp = 4 if colour == 6 else 3
    stride = width * bpp
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            upleft = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 255
            elif kind == 4:
                line[i] = (line[i] + _paeth(left, up, upleft)) & 255
        if bpp == 4:
            rows.append([tuple(line[i:i + 4]) for i in range(0, stride, 4)])
        else:
            rows.append([tuple(line[i:i + 3]) + (255,) for i in range(0, stride, 3)])
        previous = line
    return rows


def _subtract(a, b):
    """Byte-wise (a - b) mod 256 of two equal-length byte strings, on whole rows at once."""
    n = len(a)
    high = int.from_bytes(b"\x80" * n, "big")
    x, y = int.from_bytes(a, "big"), int.from_bytes(b, "big")
    every = (1 << (8 * n)) - 1
    return (((x | high) - (y & ~high & every)) ^ ((x ^ ~y & every) & high)).to_bytes(n, "big")


def _paeth_predictions(line, previous, bpp):
    out = bytearray(len(line))
    for i in range(len(line)):
        a = line[i - bpp] if i >= bpp else 0
        b = previous[i]
        c = previous[i - bpp] if i >= bpp else 0
        p = a + b - c
        pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
        out[i] = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
    return bytes(out)


def _filtered(rows, bpp, kind):
    """The image data with every row run through one PNG filter (1 Sub, 2 Up, 4 Paeth)."""
    out = bytearray()
    previous = bytes(len(rows[0]))
    for line in rows:
        if kind == 1:
            predicted = bytes(bpp) + line[:-bpp]
        elif kind == 2:
            predicted = previous
        else:
            predicted = _paeth_predictions(line, previous, bpp)
        out += bytes([kind]) + _subtract(line, predicted)
        previous = line
    return bytes(out)


def _deflate(data):
    """The zlib stream of `data`, deflated by zopfli."""
    with tempfile.TemporaryDirectory(prefix="imagefiles.") as scratch:
        raw = os.path.join(scratch, "raw")
        with open(raw, "wb") as f:
            f.write(data)
        subprocess.run(["zopfli", "--zlib", "--i1", raw], check=True)
        with open(raw + ".zlib", "rb") as f:
            return f.read()


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png_bytes(pixels, ppm=None):
    """An 8-bit, non-interlaced PNG of rows of (r, g, b) or (r, g, b, a) tuples, with the
    resolution in pixels per metre when given. Each picture uses the one filter (Sub, Up or
    Paeth on every row) that deflates smallest."""
    height, width = len(pixels), len(pixels[0])
    channels = len(pixels[0][0])
    rows = [bytes(c for px in row for c in px) for row in pixels]
    candidates = [_filtered(rows, channels, kind) for kind in (1, 2, 4)]
    best = min(candidates, key=lambda data: len(zlib.compress(data, 9)))
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if channels == 4 else 2, 0, 0, 0)
    out = PNG_SIGNATURE + _chunk(b"IHDR", header)
    if ppm:
        out += _chunk(b"pHYs", struct.pack(">IIB", ppm, ppm, 1))
    return out + _chunk(b"IDAT", _deflate(best)) + _chunk(b"IEND", b"")


def write_png(path, pixels, ppm=None):
    with open(path, "wb") as f:
        f.write(png_bytes(pixels, ppm))


def _info_header(width, height, bits, image_size, ppm, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       ppm, ppm, colours, 0)


def _padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def write_bmp24(path, pixels, ppm):
    """Writes rows of (r, g, b) as an uncompressed 24-bit bottom-up BMP with the given
    resolution in pixels per metre."""
    height, width = len(pixels), len(pixels[0])
    body = b"".join(_padded(bytes(c for r, g, b in row for c in (b, g, r)))
                    for row in reversed(pixels))
    offset = 14 + 40
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset))
        f.write(_info_header(width, height, 24, len(body), ppm, 0))
        f.write(body)


def _pack_indices(row, bits):
    if bits == 8:
        return bytes(row)
    return bytes((row[i] << 4) | (row[i + 1] if i + 1 < len(row) else 0)
                 for i in range(0, len(row), 2))


def _pack_mask(row):
    out = bytearray((len(row) + 7) // 8)
    for x, bit in enumerate(row):
        if bit:
            out[x // 8] |= 0x80 >> (x % 8)
    return _padded(bytes(out))


def _palette_image(size, bits, colours, indices, mask):
    count = 1 << bits
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    table += b"\0" * (4 * count - len(table))
    xor = b"".join(_padded(_pack_indices(row, bits)) for row in reversed(indices))
    andmask = b"".join(_pack_mask(row) for row in reversed(mask))
    return _info_header(size, 2 * size, bits, len(xor) + len(andmask), 0, 0) + table + xor + andmask


def _true_colour_image(size, rgba):
    """A 32-bit image with its alpha channel; its AND mask marks the pixels under half
    covered, for whatever draws icons without alpha."""
    xor = b"".join(bytes(c for r, g, b, a in row for c in (b, g, r, a)) for row in reversed(rgba))
    andmask = b"".join(_pack_mask([1 if px[3] < 128 else 0 for px in row])
                       for row in reversed(rgba))
    return _info_header(size, 2 * size, 32, len(xor) + len(andmask), 0, 0) + xor + andmask


def write_ico(path, images):
    """Writes an icon file. `images` is a list of
      (size, 4 or 8, (colours, index rows), mask rows)  a palette image with its AND mask,
      (size, 32, rgba rows, None)                       a 32-bit image with alpha,
      (256, "png", rgba rows, None)                     a PNG image, as 256-pixel images are kept.
    """
    blobs = []
    for size, bits, picture, mask in images:
        if bits == "png":
            blobs.append((size, 32, 0, png_bytes(picture)))
        elif bits == 32:
            blobs.append((size, 32, 0, _true_colour_image(size, picture)))
        else:
            colours, indices = picture
            blobs.append((size, bits, 16 if bits == 4 else 0,
                          _palette_image(size, bits, colours, indices, mask)))
    offset = 6 + 16 * len(blobs)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(blobs)))
        for size, bits, colour_count, blob in blobs:
            side = size % 256  # 256 is written as 0
            f.write(struct.pack("<BBBBHHII", side, side, colour_count, 0, 1, bits,
                                len(blob), offset))
            offset += len(blob)
        for _, _, _, blob in blobs:
            f.write(blob)
