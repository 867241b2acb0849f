#include "ui/skin/rules/see_through.h"

namespace ormind {

std::uint32_t AvoidSeeThrough(std::uint32_t wanted, std::uint32_t seeThrough) {
  wanted &= 0xFFFFFF;
  if (wanted != (seeThrough & 0xFFFFFF)) return wanted;
  std::uint32_t shifted = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t channel = (wanted >> shift) & 0xFF;
    shifted |= (channel > 0 ? channel - 1 : channel + 1) << shift;
  }
  return shifted;
}

}  // namespace ormind
