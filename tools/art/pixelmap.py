"""Reading pixel-art maps: a colour legend and glyphs drawn as rows of characters.

The file holds comment lines (starting with "#"), blank lines, colour lines

    colour K 1e1e28   what the colour is for

and glyphs, each a heading line followed by exactly `size` rows of `size` characters:

    glyph 0 what it shows
    ....KKKK....

"." is a transparent pixel; every other character must be named by a colour line.
"""

TRANSPARENT = "."


class MapError(ValueError):
    pass


def _colour(fields, where):
    if len(fields) < 3 or len(fields[1]) != 1 or fields[1] == TRANSPARENT:
        raise MapError(f"{where}: expected 'colour <char> <rrggbb>'")
    try:
        value = int(fields[2], 16)
    except ValueError:
        raise MapError(f"{where}: '{fields[2]}' is not a hexadecimal colour") from None
    if len(fields[2]) != 6:
        raise MapError(f"{where}: a colour has six hexadecimal digits")
    return fields[1], ((value >> 16) & 255, (value >> 8) & 255, value & 255)


def read_glyphs(path, size):
    """Returns the glyphs of the map file in the order of their numbers, each as rows of
    (r, g, b) tuples or None where transparent. The glyphs must be numbered 0, 1, 2, ..."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    colours, glyphs = {}, []
    pos = 0
    while pos < len(lines):
        where = f"{path}:{pos + 1}"
        fields = lines[pos].split()
        pos += 1
        if not fields or fields[0].startswith("#"):
            continue
        if fields[0] == "colour":
            char, rgb = _colour(fields, where)
            colours[char] = rgb
        elif fields[0] == "glyph":
            if len(fields) < 2 or fields[1] != str(len(glyphs)):
                raise MapError(f"{where}: expected glyph {len(glyphs)}")
            rows = lines[pos:pos + size]
            pos += size
            glyphs.append(_glyph(rows, colours, size, where))
        else:
            raise MapError(f"{where}: unexpected line")
    return glyphs


def _glyph(rows, colours, size, where):
    if len(rows) != size or any(len(row) != size for row in rows):
        raise MapError(f"{where}: a glyph is {size} rows of {size} characters")
    out = []
    for row in rows:
        line = []
        for char in row:
            if char == TRANSPARENT:
                line.append(None)
            elif char in colours:
                line.append(colours[char])
            else:
                raise MapError(f"{where}: no colour named '{char}'")
        out.append(line)
    return out
