// The stored-picture layout, the transparency rules and the JPEG reader.
#include <gtest/gtest.h>

#include "pictures/jpeg_decoder.h"
#include "pictures/picture_error.h"
#include "pictures/pixel_image.h"
#include "pictures/stored_picture.h"
#include "tests/pictures/jpeg_builder.h"

namespace ormind {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(StoredPicture, RoundTripsAndSplitsClassAndData) {
  const std::vector<uint8_t> file = Bytes("BM-and-the-rest");
  const std::vector<uint8_t> stored = MakeStoredPicture("TBitmap", file);
  ASSERT_EQ(stored.size(), 1 + 7 + 4 + file.size());
  EXPECT_EQ(stored[0], 7);
  EXPECT_EQ(stored[8], file.size());  // little-endian count
  EXPECT_EQ(stored[9], 0);
  const StoredPicture split = SplitStoredPicture(stored);
  EXPECT_EQ(split.className, "TBitmap");
  const auto data = ReadCountedBytes(split.data);
  EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.end()), file);
}

TEST(StoredPicture, TruncatedInputIsAnErrorNotACrash) {
  const std::vector<uint8_t> stored = MakeStoredPicture("TJPEGImage", Bytes("0123456789"));
  // Every cut short of the whole fails cleanly, whether in the name, the count or the bytes.
  for (size_t length = 0; length < stored.size(); ++length) {
    const std::span<const uint8_t> cut(stored.data(), length);
    EXPECT_THROW(ReadCountedBytes(SplitStoredPicture(cut).data), PictureError) << length;
  }
  EXPECT_NO_THROW(ReadCountedBytes(SplitStoredPicture(stored).data));
  // A count of 4 GB - 1 with only a few bytes behind it.
  const std::vector<uint8_t> huge = {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
  EXPECT_THROW(ReadCountedBytes(huge), PictureError);
}

TEST(Transparency, AutomaticColourIsBottomLeftOrWhiteForMonochrome) {
  PixelImage image{2, 2, {0x112233, 0x445566, 0xA0B0C0, 0x000000}, false};
  EXPECT_EQ(AutomaticTransparentColor(image), 0xC0B0A0u);  // 0x00BBGGRR
  image.monochrome = true;
  EXPECT_EQ(AutomaticTransparentColor(image), kWhite);
}

TEST(Transparency, MaskMarksPixelsOfTheColourRowsPaddedTo16Bits) {
  // 18 x 2: row 0 alternates black and red, row 1 is all black but the last pixel.
  PixelImage image{18, 2, std::vector<uint32_t>(36, 0), false};
  for (int x = 1; x < 18; x += 2) image.pixels[x] = 0xFF0000;
  image.pixels[35] = 0x00FF00;
  ASSERT_EQ(MaskStride(18), 4u);
  const std::vector<uint8_t> mask = BuildTransparencyMask(image, AutomaticTransparentColor(image));
  const std::vector<uint8_t> expected = {0xAA, 0xAA, 0x80, 0x00, 0xFF, 0xFF, 0x80, 0x00};
  EXPECT_EQ(mask, expected);
  EXPECT_EQ(MaskStride(1), 2u);
  EXPECT_EQ(MaskStride(16), 2u);
  EXPECT_EQ(MaskStride(17), 4u);
}

TEST(DecodeJpeg, ReadsColourAndSize) {
  const PixelImage image = DecodeJpeg(testing::EncodeJpeg(20, 10, 200, 40, 90));
  ASSERT_EQ(image.width, 20);
  ASSERT_EQ(image.height, 10);
  const uint32_t p = image.At(10, 5);
  EXPECT_NEAR(static_cast<int>(p >> 16), 200, 4);
  EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 40, 4);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 90, 4);
}

TEST(DecodeJpeg, DamagedFilesRaiseJpegErrors) {
  const std::vector<uint8_t> good = testing::EncodeJpeg(16, 16, 1, 2, 3);
  const std::vector<std::vector<uint8_t>> bad = {
      {}, Bytes("not a jpeg at all"), std::vector<uint8_t>(good.begin(), good.begin() + 20)};
  for (const auto& bytes : bad) {
    try {
      DecodeJpeg(bytes);
      ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
    } catch (const PictureError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("JPEG error #", 0), 0u) << e.what();
    }
  }
}

TEST(DecodeJpeg, ScaledDecodesRoundTheSizeUpAndKeepTheColour) {
  const std::vector<uint8_t> jpeg = testing::EncodeJpeg(21, 10, 200, 40, 90);
  struct Case {
    int divisor, width, height;
  };
  // An unknown divisor decodes the whole picture.
  for (const Case c : {Case{1, 21, 10}, Case{2, 11, 5}, Case{4, 6, 3}, Case{8, 3, 2}, Case{3, 21, 10}}) {
    const PixelImage image = DecodeJpeg(jpeg, c.divisor);
    EXPECT_EQ(image.width, c.width) << "1/" << c.divisor;
    EXPECT_EQ(image.height, c.height) << "1/" << c.divisor;
    ASSERT_EQ(image.pixels.size(), static_cast<size_t>(c.width) * c.height);
    const uint32_t p = image.At(c.width / 2, c.height / 2);
    EXPECT_NEAR(static_cast<int>(p >> 16), 200, 6) << "1/" << c.divisor;
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 90, 6) << "1/" << c.divisor;
  }
  const JpegSize size = ReadJpegSize(jpeg);
  EXPECT_EQ(size.width, 21);
  EXPECT_EQ(size.height, 10);
}

TEST(JpegScaleDivisor, LargestDivisorStillCoveringTheWantedSize) {
  const JpegSize card{1654, 2339};
  struct Case {
    JpegSize wanted;
    int divisor;
  };
  const Case cases[] = {
      {{793, 1121}, 2},   // the card recorded at screen resolution
      {{614, 868}, 2},    // a quarter would be 414 wide: too small
      {{413, 584}, 4},
      {{207, 293}, 8},    // 1654 / 8 and 2339 / 8 rounded up
      {{208, 293}, 4},    // one pixel wider than an eighth
      {{207, 294}, 4},
      {{800, 1200}, 1},   // wide enough at a half, not high enough
      {{2479, 3508}, 1},  // a printer page: the whole picture
      {{1654, 2339}, 1},
      {{0, 0}, 1},
      {{-5, 100}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JpegScaleDivisor(card, c.wanted), c.divisor)
        << c.wanted.width << " x " << c.wanted.height;
  }
}

TEST(ReadJpegSize, DamagedFilesRaiseJpegErrors) {
  const std::vector<uint8_t> good = testing::EncodeJpeg(16, 16, 1, 2, 3);
  const std::vector<std::vector<uint8_t>> bad = {
      {}, Bytes("not a jpeg at all"), std::vector<uint8_t>(good.begin(), good.begin() + 20)};
  for (const auto& bytes : bad) {
    EXPECT_THROW(ReadJpegSize(bytes), PictureError) << bytes.size() << " bytes";
  }
}

}  // namespace
}  // namespace ormind
