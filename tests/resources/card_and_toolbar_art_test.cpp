// Checks the card's built-in background (the JPEG the card page stretches over A4, with the
// texts written over it) and the print preview's toolbar glyph strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "image_files.h"

namespace ormind::test {
namespace {

struct DecodedJpeg {
  int width = 0, height = 0, components = 0;
  J_COLOR_SPACE colour_space = JCS_UNKNOWN;
  bool progressive = false;
  std::vector<std::uint8_t> rgb;  // rows top first

  int Luma(int x, int y) const {
    const std::uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000;
  }
};

struct JpegFailure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->jump, 1);
}

// Decodes with libjpeg itself, keeping what the file declares before any conversion.
bool DecodeJpegFile(const std::vector<std::uint8_t>& bytes, DecodedJpeg& out) {
  jpeg_decompress_struct info{};
  JpegFailure failure{};
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = JumpOut;
  if (setjmp(failure.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  out.components = info.num_components;
  out.colour_space = info.jpeg_color_space;
  out.progressive = info.progressive_mode;
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &out.rgb[static_cast<size_t>(info.output_scanline) * out.width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

TEST(CardBackground, IsAnA4PageAt200DpiInThreeComponentBaselineJpeg) {
  const auto bytes = ReadFileBytes(ResourcePath("card_background.jpg"));
  DecodedJpeg card;
  ASSERT_TRUE(DecodeJpegFile(bytes, card));
  EXPECT_EQ(card.width, 1654);
  EXPECT_EQ(card.height, 2339);
  EXPECT_EQ(card.components, 3);
  EXPECT_EQ(card.colour_space, JCS_YCbCr);
  EXPECT_FALSE(card.progressive);
  EXPECT_LE(bytes.size(), 300u * 1024) << "the program embeds it";
}

TEST(CardBackground, KeepsTheTextAreasLight) {
  DecodedJpeg card;
  ASSERT_TRUE(DecodeJpegFile(ReadFileBytes(ResourcePath("card_background.jpg")), card));
  // Millimetres on the page; the salutation and signature are centred and may run wide.
  const struct {
    const char* what;
    double left, top, width, height;
  } areas[] = {
      {"salutation", 30.0, 57.15, 150.0, 17.20},
      {"greeting text", 44.45, 97.37, 129.38, 106.10},
      {"signature", 55.0, 215.90, 100.0, 7.67},
  };
  const double pixels_per_mm = 1654 / 210.0;
  for (const auto& area : areas) {
    SCOPED_TRACE(area.what);
    int darkest = 255;
    for (int y = static_cast<int>(area.top * pixels_per_mm);
         y < static_cast<int>((area.top + area.height) * pixels_per_mm); ++y)
      for (int x = static_cast<int>(area.left * pixels_per_mm);
           x < static_cast<int>((area.left + area.width) * pixels_per_mm); ++x)
        darkest = std::min(darkest, card.Luma(x, y));
    EXPECT_GE(darkest, 225);  // plain paper: red, navy and maroon text stay readable
  }
}

TEST(PreviewGlyphs, ElevenGlyphsOnTheMaskColourWithTransparentCornersAtBothSizes) {
  constexpr Rgb kMask{255, 0, 255};
  constexpr int kCount = 11;
  const struct {
    const char* name;
    int size;
  } strips[] = {{"preview_glyphs.bmp", 16}, {"preview_glyphs_32.bmp", 32}};
  for (const auto& s : strips) {
    SCOPED_TRACE(s.name);
    const int size = s.size;
    const Bitmap strip = ParseBitmap(ReadFileBytes(ResourcePath(s.name)));
    ASSERT_EQ(strip.width, size * kCount);
    ASSERT_EQ(strip.height, size);
    for (int glyph = 0; glyph < kCount; ++glyph) {
      SCOPED_TRACE(glyph);
      const int left = glyph * size, right = left + size - 1;
      const std::pair<int, int> corners[] = {{left, 0}, {right, 0}, {left, size - 1}, {right, size - 1}};
      for (const auto& [x, y] : corners) EXPECT_EQ(strip.at(x, y), kMask) << x << "," << y;
      int opaque = 0;
      for (int y = 0; y < size; ++y)
        for (int x = left; x <= right; ++x) opaque += strip.at(x, y) != kMask;
      EXPECT_GE(opaque, 30 * size * size / 256);
    }
  }
}

}  // namespace
}  // namespace ormind::test
