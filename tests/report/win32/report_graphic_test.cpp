// Picture files through the program's picture registry: each kind loads, draws its colour
// stretched over a rectangle, and each bad file gives its own message.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "pictures/win32/bitmap_graphic.h"
#include "pictures/win32/graphic_registry.h"
#include "report/win32/report_graphic.h"
#include "pictures/win32/wic_graphic.h"
#include "tests/pictures/bmp_builder.h"
#include "tests/pictures/win32/dib_canvas.h"

namespace ormind {
namespace {

const std::string kFiles = std::string(ORMIND_SOURCE_DIR) + "/tests/pictures/win32/files/";

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "ormind-picture-" + name;
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// An 8 x 6 bitmap of one colour (0x00RRGGBB).
std::vector<uint8_t> PlainBmp(uint32_t rgb) {
  testing::BmpLayout layout{8, 6, 24, 0, false, 40, {}, {}, {}};
  for (int i = 0; i < 8 * 6; ++i) {
    layout.pixelData.insert(layout.pixelData.end(),
                            {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)});
  }
  return testing::MakeBmp(layout);
}

// A metafile that fills its frame with one colour, enhanced or in the older format.
std::vector<uint8_t> PlainMetafile(uint32_t rgb, bool enhanced) {
  const COLORREF color = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
  const HBRUSH brush = CreateSolidBrush(color);
  const RECT box{0, 0, 40, 30};
  std::vector<uint8_t> bytes;
  if (enhanced) {
    const RECT frame{0, 0, 1058, 794};  // 0.01 mm: 40 x 30 pixels at 96 per inch
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    FillRect(dc, &box, brush);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    bytes.resize(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteEnhMetaFile(emf);
  } else {
    HDC dc = CreateMetaFileW(nullptr);
    SetWindowExtEx(dc, 40, 30, nullptr);
    FillRect(dc, &box, brush);
    HMETAFILE wmf = CloseMetaFile(dc);
    bytes.resize(GetMetaFileBitsEx(wmf, 0, nullptr));
    GetMetaFileBitsEx(wmf, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteMetaFile(wmf);
  }
  DeleteObject(brush);
  return bytes;
}

bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 12) return false;
  }
  return true;
}

TEST(ProgramPictureFormats, EachKindLoadsAndDrawsOverItsRectangle) {
  Write(TempPath("plain.bmp"), PlainBmp(0xFF8000));
  Write(TempPath("plain"), PlainBmp(0x8000FF));  // no extension: the OLE loader
  Write(TempPath("plain.emf"), PlainMetafile(0x00C0C0, true));
  Write(TempPath("plain.WMF"), PlainMetafile(0xC000C0, false));
  const struct {
    std::string path;
    int width, height;
    uint32_t colour;  // 0x00RRGGBB at the centre of the drawn rectangle
  } cases[] = {
      {kFiles + "red.png", 8, 6, 0xFF0000},      {kFiles + "blue.gif", 8, 6, 0x0000FF},
      {kFiles + "green.jpg", 8, 6, 0x00FF00},    {kFiles + "GREEN.JPG", 8, 6, 0x00FF00},
      {kFiles + "green.ico", 16, 16, 0x00FF00},  {TempPath("plain.bmp"), 8, 6, 0xFF8000},
      {TempPath("plain"), 8, 6, 0x8000FF},       {TempPath("plain.emf"), 40, 30, 0x00C0C0},
      {TempPath("plain.WMF"), 0, 0, 0xC000C0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const auto graphic = ProgramPictureFormats().Load(c.path);
    ASSERT_NE(graphic, nullptr);
    if (c.width > 0) {
      EXPECT_EQ(graphic->Width(), c.width);
      EXPECT_EQ(graphic->Height(), c.height);
    }
    testing::Canvas canvas;
    dynamic_cast<const TRptWindowsGraphic&>(*graphic).Draw(canvas.Get(), {4, 4, 60, 44});
    EXPECT_PRED2(Near, canvas.At(32, 24), c.colour) << std::hex << canvas.At(32, 24);
    EXPECT_EQ(canvas.At(2, 2), testing::kFaceBlue);  // outside stays as it was
  }
}

TEST(ProgramPictureFormats, BadFilesGiveTheirOwnMessage) {
  Write(TempPath("notes.txt"), {'h', 'i'});
  const struct {
    std::string path;
    std::string message;  // the start of it
  } cases[] = {
      {kFiles + "card.webp", "Unknown picture file extension (.webp)"},
      {TempPath("notes.txt"), "Unknown picture file extension (.txt)"},
      {kFiles + "damaged.jpg", "JPEG error #"},
      {kFiles + "absent.png", "Cannot open file \""},
      {kFiles + "card.webp.png", "Cannot open file \""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      ProgramPictureFormats().Load(c.path);
      ADD_FAILURE() << "loaded";
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message);
    }
  }
}

TEST(ProgramPictureFormats, TransparentPixelsLieOverWhitePaper) {
  const struct {
    uint32_t bgra, rgb;
  } cases[] = {{0x00123456, 0xFFFFFF}, {0xFF123456, 0x123456}, {0x80000000, 0x7F7F7F}};
  for (const auto& c : cases) EXPECT_EQ(OverWhite(c.bgra), c.rgb) << std::hex << c.bgra;
}

// The stretch mode in force at each bitmap record of a page picture, in record order.
std::vector<DWORD> StretchModesAtBitmaps(HENHMETAFILE picture) {
  struct State {
    DWORD mode = BLACKONWHITE;
    std::vector<DWORD> atBitmaps;
  } state;
  EnumEnhMetaFile(
      nullptr, picture,
      [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
        auto& s = *reinterpret_cast<State*>(data);
        if (record->iType == EMR_SETSTRETCHBLTMODE) s.mode = record->dParm[0];
        if (record->iType == EMR_BITBLT || record->iType == EMR_STRETCHBLT ||
            record->iType == EMR_STRETCHDIBITS)
          s.atBitmaps.push_back(s.mode);
        return 1;
      },
      &state, nullptr);
  return state.atBitmaps;
}

// `graphic` drawn at `width` x `height` into a page picture of 100 pixels at 96 per inch; the
// page's stretch mode afterwards in `modeAfter`.
HENHMETAFILE PagePictureOf(const TRptGraphic& graphic, int width, int height, int* modeAfter = nullptr) {
  const RECT frame{0, 0, 2646, 2646};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  if (!dc) return nullptr;
  dynamic_cast<const TRptWindowsGraphic&>(graphic).Draw(dc, {0, 0, width, height});
  if (modeAfter) *modeAfter = GetStretchBltMode(dc);
  return CloseEnhMetaFile(dc);
}

TEST(TRptWindowsGraphic, APagePictureHoldsAShrunkPictureToBePlayedSmoothly) {
  // A picture drawn into a page picture smaller than it is goes in as a copy scaled once;
  // the preview plays the page at its zoom, so the copy must be stretched by halftoning there
  // too. Drawn larger, the picture itself goes in, stretched with halftoning as it is drawn.
  const TRptWindowsGraphic graphic(std::make_shared<TBitmap>(testing::Checkerboard(64)));
  for (const int size : {47, 64, 90}) {
    SCOPED_TRACE(size);
    int modeAfter = 0;
    HENHMETAFILE picture = PagePictureOf(graphic, size, size, &modeAfter);
    ASSERT_NE(picture, nullptr);
    const std::vector<DWORD> modes = StretchModesAtBitmaps(picture);
    ASSERT_EQ(modes.size(), 1u);
    if (size != 64) {
      EXPECT_EQ(modes[0], DWORD{HALFTONE});
    }
    EXPECT_EQ(modeAfter, BLACKONWHITE) << "the page's own mode was left changed";
    if (size == 47) {  // and the copy itself is averaged: grey, not black and white
      testing::Canvas canvas(100, 100);
      const RECT whole{0, 0, 47, 47};
      PlayEnhMetaFile(canvas.Get(), picture, &whole);
      EXPECT_TRUE(testing::IsGrey(canvas.At(20, 20))) << std::hex << canvas.At(20, 20);
    }
    DeleteEnhMetaFile(picture);
  }
}

TEST(BuiltInCardBackground, IsDecodedOnceForEveryCard) {
  const auto first = BuiltInCardBackground();
  const auto second = BuiltInCardBackground();
  EXPECT_EQ(&dynamic_cast<const TRptWindowsGraphic&>(*first).Graphic(),
            &dynamic_cast<const TRptWindowsGraphic&>(*second).Graphic());
  EXPECT_EQ(first->Width(), 1654);
  EXPECT_EQ(first->Height(), 2339);
}

// Draws `graphic` shrunk into a page picture; returns the scaled copy's bitmap it used.
HBITMAP DrawIntoPagePicture(const TRptGraphic& graphic, int width, int height) {
  DeleteEnhMetaFile(PagePictureOf(graphic, width, height));
  return dynamic_cast<const TRptWindowsGraphic&>(graphic).ScaledCopy().bitmap.Get();
}

TEST(TRptWindowsGraphic, PrintsOfOnePictureShareItsScaledCopy) {
  // Every print loads its pictures anew; the card's background is scaled once for all of them
  // while its file is unchanged, and again at another size.
  const std::string path = TempPath("shared.jpg");
  Write(path, Read(kFiles + "green.jpg"));  // 8 x 6
  const auto first = ProgramPictureFormats().Load(path);
  const HBITMAP copy = DrawIntoPagePicture(*first, 4, 3);
  ASSERT_NE(copy, nullptr);
  const auto second = ProgramPictureFormats().Load(path);
  EXPECT_EQ(DrawIntoPagePicture(*second, 4, 3), copy) << "scaled again for the second print";
  EXPECT_EQ(first->Width(), second->Width());

  const auto builtIn = BuiltInCardBackground(), again = BuiltInCardBackground();
  EXPECT_EQ(&dynamic_cast<const TRptWindowsGraphic&>(*builtIn).ScaledCopy(),
            &dynamic_cast<const TRptWindowsGraphic&>(*again).ScaledCopy());

  // The file written again (its time of last change moved on): loaded and scaled anew.
  Write(path, Read(kFiles + "GREEN.JPG"));
  FILETIME later{};
  GetSystemTimeAsFileTime(&later);
  later.dwHighDateTime += 1;
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &later);
  CloseHandle(file);
  const auto changed = ProgramPictureFormats().Load(path);
  EXPECT_NE(&dynamic_cast<const TRptWindowsGraphic&>(*changed).ScaledCopy(),
            &dynamic_cast<const TRptWindowsGraphic&>(*first).ScaledCopy());
  std::remove(path.c_str());
}

}  // namespace
}  // namespace ormind
