// Minimal, strict readers for the artwork's file formats, used by the tests to check the
// committed pictures: uncompressed BMP files, the PNG files' header and resolution (their
// pixels are read by the program's own PNG reader), and icon files with palette images and
// masks, 32-bit images and PNG images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/pixel_image.h"

namespace ormind::test {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// A picture's pixels, top row first, with the resolution its file gives.
struct Bitmap {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  std::int32_t x_pixels_per_metre = 0;
  std::int32_t y_pixels_per_metre = 0;
  std::vector<Rgb> pixels;

  const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// One image of an icon file, top row first: its colours and where the screen shows through
// (the AND mask; for a PNG image, a pixel with no alpha). Palette images keep their palette,
// 32-bit and PNG images their alpha.
struct IconImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  int directory_colour_count = 0;
  bool png = false;
  std::vector<Rgb> palette;
  std::vector<Rgb> colours;
  std::vector<std::uint8_t> alpha;
  std::vector<bool> mask;

  const Rgb& colour(int x, int y) const { return colours[y * width + x]; }
  bool see_through(int x, int y) const { return mask[y * width + x]; }
};

// The header fields of a PNG file and its resolution (pHYs, pixels per metre; 0 without).
struct PngInfo {
  int width = 0;
  int height = 0;
  int bit_depth = 0;
  int colour_type = 0;
  std::int32_t x_pixels_per_metre = 0;
  std::int32_t y_pixels_per_metre = 0;
};

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// Each throws std::runtime_error naming what is wrong with the file.
Bitmap ParseBitmap(const std::vector<std::uint8_t>& bytes);
PngInfo ParsePngInfo(const std::vector<std::uint8_t>& bytes);
// A picture decoded by the program's readers (0x00RRGGBB pixels), without a resolution.
Bitmap ToBitmap(const PixelImage& image);
// A PNG picture decoded by the program's reader, with its resolution.
Bitmap DecodePngPicture(const std::vector<std::uint8_t>& bytes);
std::vector<IconImage> ParseIcon(const std::vector<std::uint8_t>& bytes);

// The committed artwork: <source tree>/resources/<relative>.
std::string ResourcePath(const std::string& relative);

}  // namespace ormind::test
