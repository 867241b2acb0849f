"""Reads the binary pictures netpbm tools write (P5 grey, P6 colour), as ImageMagick's convert
and poppler's pdftoppm give them to the test scripts."""


def read_netpbm(data, magic):
    """(width, height, pixel bytes) of DATA, a picture whose header starts with MAGIC (b'P5' or
    b'P6'); raises ValueError for anything else."""
    # The header: magic, width, height, maximum value, each followed by white space.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while pos < len(data) and not data[pos:pos + 1].isspace():
            pos += 1
        if start == pos:
            raise ValueError('a netpbm header ends early')
        fields.append(data[start:pos])
    if fields[0] != magic:
        raise ValueError(f'not a {magic.decode()} picture')
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]
