// The picture classes under Windows: found by class name, loaded from stored pictures, and drawn with their transparent colour left out.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "pictures/win32/bitmap_graphic.h"
#include "pictures/win32/graphic_registry.h"
#include "pictures/win32/jpeg_graphic.h"
#include "pictures/win32/png_graphic.h"
#include "pictures/win32/wic_graphic.h"
#include "pictures/picture_error.h"
#include "pictures/stored_picture.h"
#include "platform/handles.h"
#include "tests/pictures/bmp_builder.h"
#include "tests/pictures/jpeg_builder.h"
#include "tests/pictures/png_builder.h"
#include "tests/pictures/win32/dib_canvas.h"

namespace ormind {
namespace {

using testing::Canvas;
using testing::kFaceBlue;

constexpr uint32_t kDiscGreen = 0x20A040;

bool InDisc(int x, int y) {
  const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
  return dx * dx + dy * dy <= 256;
}

// A 32 x 32 button picture: a green disc of diameter 32 on black.
std::vector<uint8_t> ButtonBmp() {
  testing::BmpLayout layout{32, 32, 24, 0, false, 40, {}, {}, {}};
  for (int row = 0; row < 32; ++row) {
    const int y = 31 - row;
    for (int x = 0; x < 32; ++x) {
      const uint32_t c = InDisc(x, y) ? kDiscGreen : 0;
      layout.pixelData.insert(layout.pixelData.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
    }
  }
  return testing::MakeBmp(layout);
}

// The same button as a PNG file, its disc shaded so that every row differs.
std::vector<uint32_t> ButtonPixels() {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) pixels.push_back(InDisc(x, y) ? kDiscGreen + 3 * x + 0x10000 * y : 0);
  return pixels;
}

std::vector<uint8_t> ReadResource(const std::string& name) {
  std::ifstream in(std::string(ORMIND_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}


TEST(GraphicRegistry, FindsClassesByName) {
  auto& registry = GraphicRegistry::Instance();
  EXPECT_NE(dynamic_cast<TBitmap*>(registry.CreateByClassName("TBitmap").get()), nullptr);
  EXPECT_NE(registry.CreateByClassName("TJPEGImage"), nullptr);
  EXPECT_NE(dynamic_cast<TPngImage*>(registry.CreateByClassName("TPngImage").get()), nullptr);
  const struct {
    std::function<void()> call;
    const char* message;
  } errors[] = {
      {[&] { registry.CreateByClassName("TGIFImage"); }, "Class TGIFImage not found"},
      {[&] { registry.CreateByClassName("TBitmap\x01"); }, "Class TBitmap? not found"},
  };
  for (const auto& e : errors) {
    try {
      e.call();
      ADD_FAILURE() << "no error for " << e.message;
    } catch (const PictureError& error) {
      EXPECT_STREQ(error.what(), e.message);
    }
  }
}

TEST(LoadStoredPicture, DecodesKnownClassesAndRejectsBadOnes) {
  const std::vector<uint8_t> button = ButtonBmp();
  const auto graphic = LoadStoredPicture(MakeStoredPicture("TBitmap", button));
  EXPECT_EQ(graphic->Width(), 32);
  EXPECT_EQ(graphic->Height(), 32);

  std::vector<uint8_t> truncated = MakeStoredPicture("TBitmap", button);
  truncated.resize(truncated.size() - 10);
  EXPECT_THROW(LoadStoredPicture(truncated), PictureError);
  EXPECT_THROW(LoadStoredPicture(MakeStoredPicture("TMetafileX", button)), PictureError);
  // A bitmap class holding JPEG-looking bytes fails in the bitmap reader.
  const std::vector<uint8_t> jpegStart = {0xFF, 0xD8, 0xFF};
  EXPECT_THROW(LoadStoredPicture(MakeStoredPicture("TBitmap", jpegStart)), PictureError);
}

TEST(TBitmap, TransparentCornersLeaveTheDestinationAtEverySize) {
  TBitmap bitmap;
  bitmap.LoadFromBytes(ButtonBmp());
  EXPECT_EQ(bitmap.TransparentColor(), 0u);  // the bottom-left pixel: black
  bitmap.SetTransparent(true);
  for (int size : {32, 33, 36}) {
    SCOPED_TRACE(size);
    Canvas canvas;
    bitmap.Draw(canvas.Get(), {10, 10, 10 + size, 10 + size});
    EXPECT_EQ(canvas.At(10, 10), kFaceBlue);                          // corner
    EXPECT_EQ(canvas.At(10 + size - 1, 10 + size - 1), kFaceBlue);    // opposite corner
    EXPECT_EQ(canvas.At(10 + size / 2, 10 + size / 2), kDiscGreen);   // disc centre
    EXPECT_EQ(canvas.At(10 + size / 2, 10 + 1), kDiscGreen);          // disc's top edge
    EXPECT_EQ(canvas.At(9, 20), kFaceBlue);                           // outside the box
    EXPECT_EQ(canvas.At(10 + size, 20), kFaceBlue);
  }
}

TEST(TBitmap, OpaqueBitmapCoversItsRectangle) {
  TBitmap bitmap;
  bitmap.LoadFromBytes(ButtonBmp());
  Canvas canvas;
  bitmap.Draw(canvas.Get(), {0, 0, 32, 32});
  EXPECT_EQ(canvas.At(0, 0), 0u);
  EXPECT_EQ(canvas.At(16, 16), kDiscGreen);
  EXPECT_EQ(canvas.At(32, 32), kFaceBlue);
}

// The share of grey pixels in the `size` x `size` square at the canvas's corner.
double GreyShare(const Canvas& canvas, int size) {
  int grey = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) grey += testing::IsGrey(canvas.At(x, y));
  return double(grey) / (size * size);
}

TEST(TBitmap, StretchedOpaquePicturesAverageTheirPixels) {
  // Picking whole rows and columns (what COLORONCOLOR does) leaves a drawn-down or drawn-up
  // checkerboard pure black and white in blocks; averaging turns it grey. Drawn 1:1 it stays
  // exactly as it is.
  struct Case {
    int from, to;
    double minGrey, maxGrey;
  };
  for (const Case c : {Case{64, 47, 0.5, 1.0}, Case{64, 37, 0.5, 1.0}, Case{32, 45, 0.3, 1.0},
                       Case{64, 64, 0.0, 0.0}}) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
    TBitmap bitmap(testing::Checkerboard(c.from));
    Canvas canvas(100, 100);
    bitmap.Draw(canvas.Get(), {0, 0, c.to, c.to});
    const double share = GreyShare(canvas, c.to);
    EXPECT_GE(share, c.minGrey);
    EXPECT_LE(share, c.maxGrey);
    EXPECT_EQ(canvas.At(c.to, c.to), kFaceBlue) << "drawn outside its rectangle";
    EXPECT_EQ(GetStretchBltMode(canvas.Get()), BLACKONWHITE) << "the DC's mode was left changed";
  }
}

TEST(TPngImage, DrawsExactlyAsABitmapOfTheSamePixels) {
  const std::vector<uint32_t> pixels = ButtonPixels();
  const auto png = LoadStoredPicture(MakeStoredPicture("TPngImage", testing::MakePng(32, 32, pixels, false, {4, 2})));
  TBitmap bitmap(PixelImage{32, 32, pixels});
  EXPECT_EQ(dynamic_cast<TBitmap&>(*png).TransparentColor(), bitmap.TransparentColor());
  for (const bool transparent : {false, true}) {
    png->SetTransparent(transparent);
    bitmap.SetTransparent(transparent);
    for (const int size : {32, 33, 36, 48}) {
      SCOPED_TRACE(std::to_string(size) + (transparent ? ", transparent" : ", opaque"));
      Canvas fromPng, fromBitmap;
      png->Draw(fromPng.Get(), {5, 5, 5 + size, 5 + size});
      bitmap.Draw(fromBitmap.Get(), {5, 5, 5 + size, 5 + size});
      EXPECT_EQ(fromPng.Pixels(), fromBitmap.Pixels());
      EXPECT_EQ(fromPng.At(5, 5), transparent ? kFaceBlue : 0u);  // the black corner
    }
  }
}

TEST(TPngImage, ABadFileKeepsThePictureItHad) {
  TPngImage png;
  png.LoadFromBytes(testing::MakePng(32, 32, ButtonPixels()));
  std::vector<uint8_t> damaged = testing::MakePng(2, 2, {1, 2, 3, 4});
  damaged[20] ^= 1;  // inside the header: its CRC no longer matches
  EXPECT_THROW(png.LoadFromBytes(damaged), PictureError);
  EXPECT_THROW(png.LoadFromBytes(ButtonBmp()), PictureError);
  EXPECT_EQ(png.Width(), 32);
  EXPECT_EQ(png.Image().pixels, ButtonPixels());
}

// The program's own reader and the platform's imaging component see the same pixels in every
// face and button picture, at every scale.
TEST(TPngImage, CommittedArtworkDrawsAsThePlatformDecodesIt) {
  // The faces come at 100 and 200 %, the buttons at every scale.
  const std::vector<std::pair<const char*, std::vector<const char*>>> pictures = {
      {"main_face", {"", "_200"}}, {"editor_face", {"", "_200"}},
      {"buttons/close", {"", "_125", "_150", "_200"}}, {"buttons/settings", {"", "_125", "_150", "_200"}}};
  for (const auto& [name, suffixes] : pictures) {
    for (const char* suffix : suffixes) {
      const std::string file = std::string(name) + suffix + ".png";
      SCOPED_TRACE(file);
      const std::vector<uint8_t> bytes = ReadResource(file);
      const auto ours = LoadStoredPicture(MakeStoredPicture("TPngImage", bytes));
      TWicImage platform;
      platform.LoadFromBytes(bytes);
      ASSERT_EQ(ours->Width(), platform.Width());
      ASSERT_EQ(ours->Height(), platform.Height());
      const int w = ours->Width(), h = ours->Height();
      Canvas fromOurs(w, h), fromPlatform(w, h);
      ours->Draw(fromOurs.Get(), {0, 0, w, h});
      platform.Draw(fromPlatform.Get(), {0, 0, w, h});
      EXPECT_TRUE(fromOurs.Pixels() == fromPlatform.Pixels());
    }
  }
}

TEST(JpegImage, DecodesAtTheSmallestScaleCoveringWhatIsDrawn) {
  const std::vector<uint8_t> jpeg = testing::EncodeJpeg(64, 48, 200, 40, 90);
  struct Case {
    int width, height, divisor;
  };
  for (const Case c : {Case{64, 48, 1}, Case{33, 24, 1}, Case{32, 24, 2}, Case{10, 8, 4},
                       Case{8, 6, 8}, Case{128, 96, 1}}) {
    TJPEGImage image;
    image.LoadFromBytes(jpeg);
    EXPECT_EQ(image.DecodedDivisor(), 0) << "decoded before it was drawn";
    ASSERT_EQ(image.Width(), 64);
    ASSERT_EQ(image.Height(), 48);
    Canvas canvas(130, 100);  // one pixel beyond the largest rectangle is read back
    image.Draw(canvas.Get(), {0, 0, c.width, c.height});
    EXPECT_EQ(image.DecodedDivisor(), c.divisor) << c.width << " x " << c.height;
    const uint32_t p = canvas.At(c.width / 2, c.height / 2);
    EXPECT_NEAR(static_cast<int>(p >> 16), 200, 8) << c.width << " x " << c.height;
    EXPECT_EQ(canvas.At(c.width, c.height), kFaceBlue) << "drawn outside its rectangle";
  }
}

TEST(JpegImage, KeepsALargerDecodingAndDecodesAgainForALargerRectangle) {
  TJPEGImage image;
  image.LoadFromBytes(testing::EncodeJpeg(64, 48, 10, 200, 30));
  Canvas canvas(64, 48);
  image.Draw(canvas.Get(), {0, 0, 32, 24});
  EXPECT_EQ(image.DecodedDivisor(), 2);
  image.Draw(canvas.Get(), {0, 0, 8, 6});  // a half-size decoding covers an eighth too
  EXPECT_EQ(image.DecodedDivisor(), 2);
  image.Draw(canvas.Get(), {0, 0, 64, 48});  // a printer page: the whole picture
  EXPECT_EQ(image.DecodedDivisor(), 1);
}

TEST(JpegImage, DamagedFileIsRefusedAndThePictureStays) {
  TJPEGImage image;
  const std::vector<uint8_t> good = testing::EncodeJpeg(40, 30, 10, 200, 30);
  image.LoadFromBytes(good);
  EXPECT_THROW(image.LoadFromBytes(std::vector<uint8_t>(good.begin(), good.begin() + 20)),
               PictureError);
  EXPECT_EQ(image.Width(), 40);
  Canvas canvas;
  image.Draw(canvas.Get(), {0, 0, 40, 30});
  EXPECT_NEAR(static_cast<int>((canvas.At(20, 15) >> 8) & 0xFF), 200, 8);
}

}  // namespace
}  // namespace ormind
