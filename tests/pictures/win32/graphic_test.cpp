// The picture classes under Windows: found by class name, loaded from stored pictures, and drawn with their transparent colour left out.
#include <gtest/gtest.h>

#include <functional>

#include "pictures/win32/bitmap_graphic.h"
#include "pictures/win32/graphic_registry.h"
#include "pictures/picture_error.h"
#include "pictures/stored_picture.h"
#include "platform/handles.h"
#include "tests/pictures/bmp_builder.h"
#include "tests/pictures/win32/dib_canvas.h"

namespace ormind {
namespace {

using testing::Canvas;
using testing::kFaceBlue;

constexpr uint32_t kDiscGreen = 0x20A040;

// A 32 x 32 button picture: a green disc of diameter 32 on black.
std::vector<uint8_t> ButtonBmp() {
  testing::BmpLayout layout{32, 32, 24, 0, false, 40, {}, {}, {}};
  for (int row = 0; row < 32; ++row) {
    const int y = 31 - row;
    for (int x = 0; x < 32; ++x) {
      const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
      const uint32_t c = dx * dx + dy * dy <= 256 ? kDiscGreen : 0;
      layout.pixelData.insert(layout.pixelData.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
    }
  }
  return testing::MakeBmp(layout);
}


TEST(GraphicRegistry, FindsClassesByName) {
  auto& registry = GraphicRegistry::Instance();
  EXPECT_NE(dynamic_cast<TBitmap*>(registry.CreateByClassName("TBitmap").get()), nullptr);
  EXPECT_NE(registry.CreateByClassName("TJPEGImage"), nullptr);
  const struct {
    std::function<void()> call;
    const char* message;
  } errors[] = {
      {[&] { registry.CreateByClassName("TPngImage"); }, "Class TPngImage not found"},
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

}  // namespace
}  // namespace ormind
