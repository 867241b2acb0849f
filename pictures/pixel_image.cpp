#include "pictures/pixel_image.h"

namespace ormind {

ColorRef AutomaticTransparentColor(const PixelImage& image) {
  if (image.monochrome || image.Empty()) return kWhite;
  return ColorOfPixel(image.At(0, image.height - 1));
}

uint32_t OverWhite(uint32_t argb) {
  const uint32_t alpha = argb >> 24;
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = (argb >> shift) & 0xFF;
    out |= ((c * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

size_t MaskStride(int width) { return (static_cast<size_t>(width) + 15) / 16 * 2; }

std::vector<uint8_t> BuildTransparencyMask(const PixelImage& image, ColorRef color) {
  if (image.Empty()) return {};
  const size_t stride = MaskStride(image.width);
  std::vector<uint8_t> mask(stride * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    uint8_t* row = mask.data() + stride * y;
    for (int x = 0; x < image.width; ++x) {
      if (ColorOfPixel(image.At(x, y)) == color) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  }
  return mask;
}

}  // namespace ormind
