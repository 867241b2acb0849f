#include "pictures/bmp_decoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "pictures/picture_error.h"
#include "tests/pictures/bmp_builder.h"

namespace ormind {
namespace {

using testing::BmpLayout;
using testing::MakeBmp;

// A 2 x 2 picture: top row red, green; bottom row blue, white.
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite24 = 0xFFFFFF;
const std::vector<uint32_t> kExpected = {kRed, kGreen, kBlue, kWhite24};

TEST(DecodeBmp, ReadsEveryPixelFormatToTheSamePicture) {
  const struct {
    const char* name;
    BmpLayout layout;
  } cases[] = {
      {"24 bits, bottom-up",
       {2, 2, 24, 0, false, 40, {}, {},
        {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row: blue, white, padding
         0, 0, 0xFF, 0, 0xFF, 0, 0, 0}}},     // top row: red, green, padding
      {"24 bits, top-down",
       {2, 2, 24, 0, true, 40, {}, {},
        {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0}}},
      {"32 bits",
       {2, 2, 32, 0, false, 40, {}, {},
        {0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0}}},
      {"16 bits, 5-5-5",
       {2, 2, 16, 0, false, 40, {}, {},
        {0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03}}},
      {"16 bits, 5-6-5 bit fields",
       {2, 2, 16, 3, false, 40, {}, {0xF800, 0x07E0, 0x001F},
        {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07}}},
      {"8 bits with a palette",
       {2, 2, 8, 0, false, 40, {kRed, kGreen, kBlue, kWhite24}, {}, {2, 3, 0, 0, 0, 1, 0, 0}}},
      {"4 bits with a palette",
       {2, 2, 4, 0, false, 40, {kRed, kGreen, kBlue, kWhite24}, {}, {0x23, 0, 0, 0, 0x01, 0, 0, 0}}},
      {"8 bits, run-length encoded",
       {2, 2, 8, 1, false, 40, {kRed, kGreen, kBlue, kWhite24}, {},
        {1, 2, 1, 3, 0, 0, 0, 3, 0, 1, 0, 0, 0, 1}}},  // absolute run of 3 cut at the edge
      {"8 bits, run-length encoded, a pixel skipped by a delta keeps colour 0",
       {2, 2, 8, 1, false, 40, {kBlue, kRed, kGreen, kWhite24}, {},
        {0, 2, 1, 0, 1, 3, 0, 0, 1, 1, 1, 2, 0, 1}}},
      {"4 bits, run-length encoded",
       {2, 2, 4, 2, false, 40, {kRed, kGreen, kBlue, kWhite24}, {}, {2, 0x23, 0, 0, 2, 0x01, 0, 1}}},
      {"core header",
       {2, 2, 8, 0, false, 12, {kRed, kGreen, kBlue, kWhite24}, {}, {2, 3, 0, 0, 0, 1, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PixelImage image;
    ASSERT_NO_THROW(image = DecodeBmp(MakeBmp(c.layout)));
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, kExpected);
    EXPECT_FALSE(image.monochrome);
  }
}

TEST(DecodeBmp, OneBitBlackAndWhiteIsMonochrome) {
  const PixelImage bw = DecodeBmp(MakeBmp({9, 1, 1, 0, false, 40, {0, kWhite24}, {}, {0xA5, 0x80, 0, 0}}));
  EXPECT_TRUE(bw.monochrome);
  const std::vector<uint32_t> row = {kWhite24, 0, kWhite24, 0, 0, kWhite24, 0, kWhite24, kWhite24};
  EXPECT_EQ(bw.pixels, row);
  const PixelImage coloured = DecodeBmp(MakeBmp({1, 1, 1, 0, false, 40, {kRed, kBlue}, {}, {0, 0, 0, 0}}));
  EXPECT_FALSE(coloured.monochrome);
}

TEST(DecodeBmp, RejectsDamagedFiles) {
  const BmpLayout good{2, 2, 24, 0, false, 40, {}, {}, std::vector<uint8_t>(16, 0)};
  const std::vector<uint8_t> valid = MakeBmp(good);
  ASSERT_NO_THROW(DecodeBmp(valid));
  auto with = [&](auto change) {
    std::vector<uint8_t> bytes = valid;
    change(bytes);
    return bytes;
  };
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"not BM", with([](auto& b) { b[0] = 'P'; })},
      {"pixels cut short", with([](auto& b) { b.resize(b.size() - 1); })},
      {"header cut short", with([](auto& b) { b.resize(30); })},
      {"zero width", with([](auto& b) { b[18] = 0; })},
      {"negative width", with([](auto& b) { b[21] = 0x80; })},
      {"odd bit count", with([](auto& b) { b[28] = 7; })},
      {"unknown compression", with([](auto& b) { b[30] = 9; })},
      {"JPEG inside", with([](auto& b) { b[30] = 4; })},
      {"huge size", with([](auto& b) { b[20] = 0x7F; b[24] = 0x7F; })},
      {"odd header size", with([](auto& b) { b[14] = 41; })},
      {"palette cut short",
       [] {
         auto b = MakeBmp({2, 2, 8, 0, false, 40, {kRed, kGreen, kBlue, kWhite24}, {}, {}});
         b.resize(60);
         return b;
       }()},
      {"run-length data cut short",
       MakeBmp({2, 2, 8, 1, false, 40, {kRed, kGreen}, {}, {2, 1, 0}})},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(DecodeBmp(c.bytes), PictureError) << c.name;
  }
}

}  // namespace
}  // namespace ormind
