// The GDI canvas on a recorded page picture, played back into a bitmap and read pixel by pixel.
#include "report/win32/gdi_canvas.h"

#include <gtest/gtest.h>

#include <functional>

#include "report/win32/emf_recorder.h"

namespace ormind {
namespace {

constexpr int kWidth = 200, kHeight = 100;

// A picture that paints its whole rectangle green.
struct GreenGraphic : TRptGdiGraphic {
  bool Empty() const override { return false; }
  int32_t Width() const override { return 8; }
  int32_t Height() const override { return 8; }
  void Draw(HDC dc, const RECT& rect) const override {
    const BrushHandle green(CreateSolidBrush(RGB(0, 160, 0)));
    FillRect(dc, &rect, green.Get());
  }
};
// A picture of no kind this platform draws.
struct ForeignGraphic : TRptGraphic {
  bool Empty() const override { return false; }
  int32_t Width() const override { return 8; }
  int32_t Height() const override { return 8; }
};

// Records a page drawn by `draw` and plays it into a 32-bit bitmap of the page's size.
class PlayedPage {
 public:
  explicit PlayedPage(const std::function<void(TRptCanvas&)>& draw) {
    TRptEmfRecorder recorder(96);
    auto page = recorder.BeginPage(kWidth, kHeight);
    page->Canvas().FillRect({0, 0, kWidth, kHeight}, 0xFFFFFF);
    draw(page->Canvas());
    const std::vector<uint8_t> bytes = page->Close()->Bytes();
    const EnhMetaFileHandle metafile(SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB};
    void* bits = nullptr;
    fBitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    fPixels = static_cast<const uint32_t*>(bits);
    const MemoryDC dc(nullptr);
    const SelectedObject selected(dc.Get(), fBitmap.Get());
    const RECT all{0, 0, kWidth, kHeight};
    PlayEnhMetaFile(dc.Get(), metafile.Get(), &all);
    GdiFlush();
  }
  // 0x00BBGGRR, as the canvas takes colours.
  uint32_t At(int x, int y) const {
    const uint32_t p = fPixels[y * kWidth + x];
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
  // The first and last column with a dark pixel in rows top..bottom (-1 when none).
  std::pair<int, int> InkColumns(int top, int bottom) const {
    int first = -1, last = -1;
    for (int x = 0; x < kWidth; ++x)
      for (int y = top; y < bottom; ++y)
        if ((At(x, y) & 0xFF) < 0x80) {
          if (first < 0) first = x;
          last = x;
        }
    return {first, last};
  }

 private:
  BitmapHandle fBitmap;
  const uint32_t* fPixels = nullptr;
};

TEST(GdiCanvas, FillsClipsAndPicturesLandWhereTheyAreAsked) {
  const GreenGraphic green;
  const ForeignGraphic foreign;
  const PlayedPage page([&](TRptCanvas& c) {
    c.FillRect({10, 10, 60, 60}, 0x0000CC);
    c.ClipTo({100, 10, 150, 60});
    c.FillRect({80, 0, 200, 100}, 0xCC0000);
    c.ClearClip();
    c.DrawGraphic(green, {160, 70, 190, 95});
    c.DrawGraphic(foreign, {10, 70, 40, 95});
  });
  const struct {
    int x, y;
    uint32_t colour;
    const char* what;
  } probes[] = {
      {30, 30, 0x0000CC, "filled"},          {5, 5, 0xFFFFFF, "outside the fill"},
      {120, 30, 0xCC0000, "inside the clip"}, {90, 30, 0xFFFFFF, "left of the clip"},
      {170, 30, 0xFFFFFF, "right of the clip"}, {120, 80, 0xFFFFFF, "below the clip"},
      {175, 82, 0x00A000, "picture"},        {25, 82, 0xFFFFFF, "foreign picture"},
  };
  for (const auto& p : probes) EXPECT_EQ(page.At(p.x, p.y), p.colour) << p.what;
}

TEST(GdiCanvas, TextStandsOnItsSideOfTheAnchor) {
  const struct {
    TRptTextAlign align;
    bool inkLeftOfAnchor, inkRightOfAnchor;
  } cases[] = {
      {TRptTextAlign::Left, false, true},
      {TRptTextAlign::Right, true, false},
      {TRptTextAlign::Center, true, true},
  };
  for (const auto& c : cases) {
    const PlayedPage page([&](TRptCanvas& canvas) {
      TRptFont font;
      font.Height = -24;
      canvas.SelectFont(font);
      canvas.DrawText(100, 30, "MMMM", c.align, false);
    });
    const auto [first, last] = page.InkColumns(30, 60);
    ASSERT_GE(first, 0) << int(c.align);
    EXPECT_EQ(first < 98, c.inkLeftOfAnchor) << int(c.align) << ": " << first;
    EXPECT_EQ(last > 102, c.inkRightOfAnchor) << int(c.align) << ": " << last;
  }
}

TEST(GdiCanvas, MeasuresUtf8TextAsTheCharactersItStandsFor) {
  const MemoryDC dc(nullptr);
  TRptGdiCanvas canvas(dc.Get());
  TRptFont font;
  font.Height = -20;
  canvas.SelectFont(font);
  const struct {
    const char* utf8;
    const wchar_t* wide;
  } cases[] = {{"Happy birthday", L"Happy birthday"},
               {"\xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C", L"\x0416\x0438\x0437\x043D\x044C"},
               {"", L""}};
  for (const auto& c : cases) {
    TRptTextSize size;
    ASSERT_TRUE(canvas.MeasureText(c.utf8, size));
    SIZE expected{};
    GetTextExtentPoint32W(dc.Get(), c.wide, lstrlenW(c.wide), &expected);
    EXPECT_EQ(size.Width, expected.cx) << c.utf8;
    EXPECT_EQ(size.Height, expected.cy) << c.utf8;
  }
}

TEST(GdiCanvas, FontsAndPicturesOfManyPagesAreAllFreed) {
  const int fonts = FontHandle::LiveCount(), brushes = BrushHandle::LiveCount();
  const int metafiles = EnhMetaFileHandle::LiveCount();
  TRptEmfRecorder recorder(96);
  for (int n = 0; n < 300; ++n) {
    auto page = recorder.BeginPage(kWidth, kHeight);
    for (int32_t height : {-10, -12, -10, -30}) {
      TRptFont font;
      font.Height = height;
      font.Style = n % 2 ? fsBold : fsItalic;
      page->Canvas().SelectFont(font);
      page->Canvas().DrawText(5, 5, "x", TRptTextAlign::Left, false);
      page->Canvas().FillRect({0, 0, 5, 5}, 0x123456);
    }
    if (n % 3) page->Close();  // others are dropped unfinished
  }
  EXPECT_EQ(FontHandle::LiveCount(), fonts);
  EXPECT_EQ(BrushHandle::LiveCount(), brushes);
  EXPECT_EQ(EnhMetaFileHandle::LiveCount(), metafiles);
}

}  // namespace
}  // namespace ormind
