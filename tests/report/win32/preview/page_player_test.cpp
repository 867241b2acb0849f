// Playing a page for the screen: a raster picture the page shrinks with halftoning is averaged
// down by the program at the device pixels it covers, in place and inside the page's clip;
// every other picture plays as the system plays it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "pictures/shrink_opaque.h"
#include "platform/handles.h"
#include "report/win32/preview/page_player.h"
#include "tests/pictures/win32/dib_canvas.h"

namespace ormind {
namespace {

constexpr int kPage = 100;  // the page and its picture, in pixels at 96 per inch
constexpr ptrdiff_t kStride = (kPage * 3 + 3) / 4 * 4;

// A page picture that copies or stretches a 24-bit picture (each pixel unlike its neighbours)
// over the whole page in `mode`, after `before`; `bits` gets the picture's pixels.
HENHMETAFILE PageOf(int mode, bool stretch, const std::function<void(HDC)>& before,
                    std::vector<uint8_t>& bits) {
  bits.resize(kStride * kPage);
  for (int y = 0; y < kPage; ++y) {
    for (int x = 0; x < kPage; ++x) {
      uint8_t* pixel = &bits[y * kStride + x * 3];
      pixel[0] = uint8_t(x * y), pixel[1] = uint8_t(y * 7), pixel[2] = uint8_t(x * 5 + y);
    }
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPage, -kPage, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  MemoryDC source(nullptr);
  void* sourceBits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &sourceBits, nullptr, 0));
  std::copy(bits.begin(), bits.end(), static_cast<uint8_t*>(sourceBits));
  SelectedObject selected(source.Get(), bitmap.Get());
  const RECT frame{0, 0, 2646, 2646};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  before(dc);
  SetStretchBltMode(dc, mode);
  if (stretch)
    StretchBlt(dc, 0, 0, kPage, kPage, source.Get(), 0, 0, kPage, kPage, SRCCOPY);
  else
    BitBlt(dc, 0, 0, kPage, kPage, source.Get(), 0, 0, SRCCOPY);
  return CloseEnhMetaFile(dc);
}

// The page with its stretch record saying its bits are half as long as its picture needs: a
// damaged saved report.
HENHMETAFILE WithShortBits(HENHMETAFILE page) {
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(page, 0, nullptr));
  GetEnhMetaFileBits(page, static_cast<UINT>(bytes.size()), bytes.data());
  DeleteEnhMetaFile(page);
  for (size_t at = 0; at < bytes.size(); at += reinterpret_cast<ENHMETARECORD*>(&bytes[at])->nSize) {
    if (auto* record = reinterpret_cast<EMRSTRETCHBLT*>(&bytes[at]); record->emr.iType == EMR_STRETCHBLT)
      record->cbBitsSrc /= 2;
  }
  return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
}

TEST(PlayPagePicture, AveragesPicturesShrunkWithHalftoningAndLeavesTheRestToTheSystem) {
  struct Case {
    const char* what;
    int mode;
    bool stretch;
    int shown;  // the page's size on the canvas, from (10, 10)
    std::function<void(HDC)> before;
    bool damaged;
    int clippedFrom;  // averaged: canvas columns from here on keep the canvas' colour; none: -1
  };
  const auto nothing = [](HDC) {};
  const Case cases[] = {
      {"stretched, shrunk with halftoning", HALFTONE, true, 50, nothing, false, 200},
      {"copied, shrunk with halftoning", HALFTONE, false, 37, nothing, false, 200},
      {"inside the page's clip", HALFTONE, true, 50,
       [](HDC dc) { IntersectClipRect(dc, 0, 0, kPage / 2, kPage); }, false, 10 + 25},
      {"shrunk picking pixels", COLORONCOLOR, true, 50, nothing, false, -1},
      {"stretched up", HALFTONE, true, 150, nothing, false, -1},
      {"its bits shorter than the picture", HALFTONE, true, 50, nothing, true, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bits;
    HENHMETAFILE page = PageOf(c.mode, c.stretch, c.before, bits);
    if (c.damaged) page = WithShortBits(page);
    ASSERT_NE(page, nullptr);
    const RECT area{10, 10, 10 + c.shown, 10 + c.shown};
    testing::Canvas played(200, 200), expected(200, 200);
    const int before = PagePicturesDrawnDown();
    EXPECT_TRUE(PlayPagePicture(played.Get(), page, area));
    const bool averaged = c.clippedFrom >= 0;
    EXPECT_EQ(PagePicturesDrawnDown() - before, averaged ? 1 : 0);
    std::vector<uint32_t> want;
    if (averaged) {
      const PixelImage shrunk = ShrinkOpaque({bits.data(), kStride, kPage, kPage, 3}, c.shown, c.shown);
      want = expected.Pixels();
      for (int y = 0; y < c.shown; ++y)
        for (int x = 0; x < c.shown && 10 + x < c.clippedFrom; ++x)
          want[(10 + y) * 200 + 10 + x] = shrunk.At(x, y);
    } else {
      PlayEnhMetaFile(expected.Get(), page, &area);
      want = expected.Pixels();
    }
    EXPECT_EQ(played.Pixels(), want);
    DeleteEnhMetaFile(page);
  }
}

}  // namespace
}  // namespace ormind
