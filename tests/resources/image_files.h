// Minimal, strict readers for the artwork's file formats, used by the tests to check the
// committed pictures: uncompressed BMP files and icon files with palette images and masks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ormind::test {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// A 24-bit bitmap file, pixels stored top row first.
struct Bitmap {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  std::int32_t x_pixels_per_metre = 0;
  std::int32_t y_pixels_per_metre = 0;
  std::vector<Rgb> pixels;

  const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// One image of an icon file: colour indices into its palette and the AND mask
// (true where the screen shows through), both top row first.
struct IconImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  int directory_colour_count = 0;
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> indices;
  std::vector<bool> mask;

  const Rgb& colour(int x, int y) const { return palette.at(indices[y * width + x]); }
  bool see_through(int x, int y) const { return mask[y * width + x]; }
};

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// Each throws std::runtime_error naming what is wrong with the file.
Bitmap ParseBitmap(const std::vector<std::uint8_t>& bytes);
std::vector<IconImage> ParseIcon(const std::vector<std::uint8_t>& bytes);

// The committed artwork: <source tree>/resources/<relative>.
std::string ResourcePath(const std::string& relative);

}  // namespace ormind::test
