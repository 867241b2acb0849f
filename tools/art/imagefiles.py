"""Reading PNG (as rsvg-convert writes it) and writing BMP and ICO files, standard library only."""

import struct
import zlib


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
    if data[:8] != b"\x89PNG\r\n\x1a\n":
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


def write_ico(path, images):
    """Writes an icon file. `images` is a list of (size, bits, (colours, index rows), mask rows)
    with 4 or 8 bits per pixel; every image carries its palette, colour bits and AND mask."""
    blobs = []
    for size, bits, (colours, indices), mask in images:
        count = 1 << bits
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
        table += b"\0" * (4 * count - len(table))
        xor = b"".join(_padded(_pack_indices(row, bits)) for row in reversed(indices))
        andmask = b"".join(_pack_mask(row) for row in reversed(mask))
        header = _info_header(size, 2 * size, bits, len(xor) + len(andmask), 0, 0)
        blobs.append((size, bits, header + table + xor + andmask))
    offset = 6 + 16 * len(blobs)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(blobs)))
        for size, bits, blob in blobs:
            colour_count = 16 if bits == 4 else 0
            f.write(struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits,
                                len(blob), offset))
            offset += len(blob)
        for _, _, blob in blobs:
            f.write(blob)
