// Playing a page for the screen: a raster picture the page shrinks with halftoning is averaged
// down by the program at the device pixels it covers, in place and inside the page's clip;
// every other picture plays as the system plays it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "pictures/shrink_opaque.h"
#include "platform/handles.h"
#include "report/win32/preview/page_player.h"
#include "tests/pictures/win32/dib_canvas.h"

namespace ormind {
namespace {

constexpr int kPage = 100;  // the page and its picture, in pixels at 96 per inch

// A 24-bit picture whose every pixel differs from its neighbours, as a top-down DIB section.
class SourcePicture {
 public:
  SourcePicture() : dc_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPage, -kPage, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    for (int y = 0; y < kPage; ++y) {
      for (int x = 0; x < kPage; ++x) {
        uint8_t* pixel = bits_ + y * kStride + x * 3;
        pixel[0] = uint8_t(x * y), pixel[1] = uint8_t(y * 7), pixel[2] = uint8_t(x * 5 + y);
      }
    }
    selected_.emplace(dc_.Get(), bitmap_.Get());
  }
  HDC Get() const { return dc_.Get(); }
  BgrPixels Pixels() const { return {bits_, kStride, kPage, kPage, 3}; }

 private:
  static constexpr ptrdiff_t kStride = (kPage * 3 + 3) / 4 * 4;
  MemoryDC dc_;
  BitmapHandle bitmap_;
  std::optional<SelectedObject> selected_;
  uint8_t* bits_ = nullptr;
};

// A page picture that draws the source picture over the whole page in `mode`, after `before`.
HENHMETAFILE PageOf(const SourcePicture& source, int mode, bool stretch,
                    const std::function<void(HDC)>& before) {
  const RECT frame{0, 0, 2646, 2646};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  before(dc);
  SetStretchBltMode(dc, mode);
  if (stretch) {
    StretchBlt(dc, 0, 0, kPage, kPage, source.Get(), 0, 0, kPage, kPage, SRCCOPY);
  } else {
    BitBlt(dc, 0, 0, kPage, kPage, source.Get(), 0, 0, SRCCOPY);
  }
  return CloseEnhMetaFile(dc);
}

// The page's bytes with the first raster record's stated bit count made smaller than its
// picture: a damaged saved report.
HENHMETAFILE WithShortBits(HENHMETAFILE page) {
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(page, 0, nullptr));
  GetEnhMetaFileBits(page, static_cast<UINT>(bytes.size()), bytes.data());
  DeleteEnhMetaFile(page);
  for (size_t at = 0; at + 8 <= bytes.size();) {
    auto* record = reinterpret_cast<ENHMETARECORD*>(&bytes[at]);
    if (record->iType == EMR_STRETCHBLT) {
      reinterpret_cast<EMRSTRETCHBLT*>(record)->cbBitsSrc /= 2;
      break;
    }
    if (record->nSize == 0) break;
    at += record->nSize;
  }
  return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

TEST(PlayPagePicture, AveragesPicturesShrunkWithHalftoningAndLeavesTheRestToTheSystem) {
  struct Case {
    const char* what;
    int mode;
    bool stretch;
    int shown;                        // the page's size on the canvas
    std::function<void(HDC)> before;  // recorded before the picture
    bool shortBits;
    bool drawnDown;
    int clippedFrom;  // canvas columns from here on keep the canvas' colour (0: none)
  };
  const auto nothing = [](HDC) {};
  const Case cases[] = {
      {"stretched, shrunk with halftoning", HALFTONE, true, 50, nothing, false, true, 0},
      {"copied, shrunk with halftoning", HALFTONE, false, 37, nothing, false, true, 0},
      {"inside the page's clip", HALFTONE, true, 50,
       [](HDC dc) { IntersectClipRect(dc, 0, 0, kPage / 2, kPage); }, false, true, 10 + 25},
      {"shrunk picking pixels", COLORONCOLOR, true, 50, nothing, false, false, 0},
      {"stretched up", HALFTONE, true, 150, nothing, false, false, 0},
      {"its bits shorter than the picture", HALFTONE, true, 50, nothing, true, false, 0},
  };
  const SourcePicture source;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HENHMETAFILE page = PageOf(source, c.mode, c.stretch, c.before);
    if (c.shortBits) page = WithShortBits(page);
    ASSERT_NE(page, nullptr);
    const RECT area{10, 10, 10 + c.shown, 10 + c.shown};
    testing::Canvas played(200, 200), bySystem(200, 200);
    const int before = PagePicturesDrawnDown();
    EXPECT_TRUE(PlayPagePicture(played.Get(), page, area));
    EXPECT_EQ(PagePicturesDrawnDown() - before, c.drawnDown ? 1 : 0);
    if (!c.drawnDown) {
      PlayEnhMetaFile(bySystem.Get(), page, &area);
      EXPECT_EQ(played.Pixels(), bySystem.Pixels());
    } else {
      const PixelImage expected = ShrinkOpaque(source.Pixels(), c.shown, c.shown);
      int wrong = 0;
      for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
          const bool inside = x >= area.left && x < area.right && y >= area.top &&
                              y < area.bottom && !(c.clippedFrom && x >= c.clippedFrom);
          const uint32_t want = inside ? expected.At(x - area.left, y - area.top)
                                       : testing::kFaceBlue;
          if (played.At(x, y) != want && ++wrong <= 3)
            ADD_FAILURE() << "at " << x << ", " << y << std::hex << ": " << played.At(x, y)
                          << " for " << want;
        }
      }
      EXPECT_EQ(wrong, 0);
    }
    DeleteEnhMetaFile(page);
  }
}

}  // namespace
}  // namespace ormind
