#pragma once
// The outline of a skinned window as rectangles: every pixel of its face except the see-through
// ones. Each row becomes its runs of pixels that are not see-through; a row whose runs are the
// same as the row above lengthens that row's rectangles instead of adding new ones. The result
// runs top to bottom and left to right, no two rectangles overlap, and each band of rows differs
// from the band above it: the form in which the system stores a window region, so the region is
// made from it as it stands, for a face of any size.
#include <cstdint>
#include <span>
#include <vector>

#include "base/geometry.h"

namespace ormind {

// `pixels`: `width` x `height`, rows top first, compared with `seeThrough` in their low 24 bits
// (both in the same channel order). Throws std::invalid_argument when there are fewer pixels
// than the size says.
std::vector<Bounds> OpaqueRectangles(std::span<const std::uint32_t> pixels, int width, int height,
                                     std::uint32_t seeThrough);

}  // namespace ormind
