"""Colour reduction for the icon's 16- and 256-colour images (deterministic, standard library)."""

# The 16 colours every Windows display can show, in the system palette's order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _distance(a, b):
    # Compared as brightness and two colour-difference axes, with brightness counting most:
    # a dark grey outline must stay grey or black rather than turn teal.
    def axes(c):
        return (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2], c[0] - c[1], c[2] - (c[0] + c[1]) / 2)
    (ya, pa, qa), (yb, pb, qb) = axes(a), axes(b)
    return 3 * (ya - yb) ** 2 + (pa - pb) ** 2 + (qa - qb) ** 2


def _nearest(colour, colours):
    return min(range(len(colours)), key=lambda i: (_distance(colour, colours[i]), i))


def _map(rgb, mask, colours):
    cache = {}
    rows = []
    for row, bits in zip(rgb, mask):
        line = []
        for colour, see_through in zip(row, bits):
            if see_through:
                line.append(0)  # black under the mask: the screen shows through unchanged
                continue
            if colour not in cache:
                cache[colour] = _nearest(colour, colours)
            line.append(cache[colour])
        rows.append(line)
    return colours, rows


def to_vga16(rgb, mask):
    """Maps every visible pixel to the nearest of the 16 standard colours."""
    return _map(rgb, mask, VGA16)


def _median_cut(colours, boxes_wanted):
    boxes = [sorted(colours)]
    while len(boxes) < boxes_wanted:
        best, best_range, channel = None, 0, 0
        for i, box in enumerate(boxes):
            for c in range(3):
                spread = max(p[c] for p in box) - min(p[c] for p in box)
                if spread > best_range:
                    best, best_range, channel = i, spread, c
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda p: (p[channel], p))
        half = len(box) // 2
        boxes[best:best] = [box[:half], box[half:]]
    return [tuple((sum(p[c] for p in box) * 2 + len(box)) // (2 * len(box)) for c in range(3))
            for box in boxes]


def to_adaptive256(rgb, mask):
    """Builds a palette from the picture's own colours (black first, for the masked pixels)
    and maps every visible pixel to it."""
    visible = [colour for row, bits in zip(rgb, mask) for colour, s in zip(row, bits) if not s]
    distinct = sorted(set(visible))
    if len(distinct) <= 255:
        colours = distinct
    else:
        colours = sorted(set(_median_cut(visible, 255)))
    colours = [(0, 0, 0)] + [c for c in colours if c != (0, 0, 0)]
    return _map(rgb, mask, colours)
