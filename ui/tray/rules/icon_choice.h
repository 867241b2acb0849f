#pragma once
// Which image of a multi-image icon the tray shows: the one made for the size it is shown at,
// with the most colours the screen can show.
#include <cstdint>
#include <span>
#include <vector>

namespace ormind {

struct IconImageInfo {
  int width;
  int height;
  int bitsPerPixel;
  std::uint16_t resourceId;  // RT_ICON id in an icon group resource; 0 elsewhere
};

// Index into `images` of the image to show at cx x cy on a screen of `screenBits` bits per
// pixel, or -1 when there is none. Images of exactly that size win; without one, the nearest
// size (the larger on a tie). Among those, the deepest that the screen can show, or the
// shallowest when the screen can show none of them.
int ChooseIconImage(std::span<const IconImageInfo> images, int cx, int cy, int screenBits);

// The entries of an icon group resource (the directory that a .rc ICON statement stores);
// empty when the bytes are not a well-formed directory.
std::vector<IconImageInfo> ParseIconGroup(std::span<const std::uint8_t> bytes);

}  // namespace ormind
