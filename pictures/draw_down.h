#pragma once
// A picture drawn down to a smaller size by averaging the area each new pixel covers: every
// source pixel counts with the part of it that falls inside the new pixel, so lines and text
// stay smooth at any ratio, not only at halves. A window face's see-through colour marks
// holes rather than paint: a new pixel is a hole when less than half of its area is painted,
// and otherwise takes the average of the painted part alone, so the outline stays hard and no
// pale halo from the holes bleeds into the face. A painted average that comes out as the
// see-through colour itself is moved off it by one step, so it does not cut a hole.
#include <cstdint>

#include "pictures/pixel_image.h"

namespace ormind {

// `width` and `height` at most the source's and at least 1. `seeThrough` is 0x00RRGGBB, as
// the pixels are.
PixelImage DrawDown(const PixelImage& source, int width, int height, uint32_t seeThrough);

}  // namespace ormind
