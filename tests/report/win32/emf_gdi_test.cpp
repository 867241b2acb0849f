// Pages recorded by GDI survive the page list and the report file byte for byte, and GDI
// plays the page read back as it was drawn.
#include <windows.h>

#include <gtest/gtest.h>

#include "report/pages/page_list.h"
#include "tests/report/pages/test_files.h"
#include "tests/report/win32/sample_page.h"

namespace ormind {
namespace {

// Plays the metafile into a 794 x 1123 white bitmap and returns the colours at the probes.
std::vector<uint32_t> Play(const std::vector<uint8_t>& bytes) {
  HENHMETAFILE emf = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
  EXPECT_NE(emf, nullptr);
  if (!emf) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 794;
  info.bmiHeader.biHeight = -1123;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* pixels = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT page{0, 0, 794, 1123};
  FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(dc, emf, &page);
  GdiFlush();
  std::vector<uint32_t> colours;
  for (int i = 0; i < testing::kSampleProbeCount; ++i) {
    const auto& p = testing::kSampleProbes[i];
    const uint32_t bgra = static_cast<uint32_t*>(pixels)[p.y * 794 + p.x];
    // DIB pixels are 0x00RRGGBB; probes are 0x00BBGGRR.
    colours.push_back((bgra & 0xFF) << 16 | (bgra & 0xFF00) | (bgra >> 16 & 0xFF));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  DeleteEnhMetaFile(emf);
  return colours;
}

TEST(EmfGdi, RecordedPagesComeBackWholeAndPlayAsDrawn) {
  const std::vector<uint8_t> page = testing::RecordSamplePage();
  std::vector<uint32_t> expected;
  for (int i = 0; i < testing::kSampleProbeCount; ++i)
    expected.push_back(testing::kSampleProbes[i].colour);
  ASSERT_EQ(Play(page), expected);

  testing::ScratchFolder folder;
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    TRptPageList list;
    list.SetStream(TRptStream::CreateInMemory(TRptStream::kDefaultSpillThreshold));
    list.SetCompressed(compressed);
    list.AppendPage(TRptEmfImage(page));
    list.AppendPage(TRptEmfImage(page));
    list.Complete();
    const std::string path = folder.File("gdi.orp");
    list.WriteToFile(path);

    TRptPageList loaded;
    loaded.OpenFile(path);
    ASSERT_EQ(loaded.Count(), 2);
    const auto back = loaded.ReadPage(2);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Bytes(), page);
    EXPECT_EQ(back->FrameWidth(), 21000);
    EXPECT_EQ(back->FrameHeight(), 29700);
    EXPECT_EQ(Play(back->Bytes()), expected);
  }
}

}  // namespace
}  // namespace ormind
