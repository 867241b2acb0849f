#pragma once
// A decoded picture: 32-bit pixels, top row first, each 0x00RRGGBB (the memory order of a
// 32-bit Windows DIB). Also the two rules that make a bitmap's background see-through: the
// automatic transparent colour and the monochrome mask built from it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ormind {

// A colour as Windows stores it: 0x00BBGGRR.
using ColorRef = uint32_t;
inline constexpr ColorRef kWhite = 0x00FFFFFF;

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height, rows top-down, 0x00RRGGBB
  bool monochrome = false;       // a 1-bit black-and-white bitmap

  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline ColorRef ColorOfPixel(uint32_t rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// A pixel with alpha (0xAARRGGBB, not premultiplied) laid over white: 0x00RRGGBB.
uint32_t OverWhite(uint32_t argb);

// White for a monochrome bitmap, otherwise the colour of the bottom-left pixel as displayed.
ColorRef AutomaticTransparentColor(const PixelImage& image);

// A 1-bit mask of the image, top row first, each row padded to a multiple of 16 bits (the
// layout CreateBitmap takes), most significant bit leftmost: 1 where the pixel has `color`.
std::vector<uint8_t> BuildTransparencyMask(const PixelImage& image, ColorRef color);
size_t MaskStride(int width);

}  // namespace ormind
