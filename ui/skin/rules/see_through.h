#pragma once
// The see-through colour of a skinned window cuts holes wherever it is painted. What the
// window's controls paint (edit text and background, and the like) must therefore avoid it:
// a wanted colour equal to it becomes the nearest colour that is not, one step darker in each
// channel that can go darker. Colours are 0x00BBGGRR.
#include <cstdint>

namespace ormind {

std::uint32_t AvoidSeeThrough(std::uint32_t wanted, std::uint32_t seeThrough);

}  // namespace ormind
