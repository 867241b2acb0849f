// The Windows build checks that the platform's own loaders accept the committed artwork
// and that the icon's masks (and alpha) really leave the background visible when it is drawn,
// at each of its sizes. (The PNG pictures are compared with the platform's imaging component
// in tests/pictures/win32.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "image_files.h"

namespace ormind::test {
namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

HANDLE LoadFromFile(const std::string& name, UINT type, int width, int height, UINT flags) {
  return LoadImageW(nullptr, Widen(ResourcePath(name)).c_str(), type, width, height,
                    flags | LR_LOADFROMFILE);
}

TEST(ArtworkOnWindows, ToolbarGlyphStripsLoadAtTheirSize) {
  const struct {
    const char* name;
    int width, height;
  } cases[] = {{"preview_glyphs.bmp", 176, 16}, {"preview_glyphs_32.bmp", 352, 32}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadFromFile(c.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr) << GetLastError();
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, c.width);
    EXPECT_EQ(dib.dsBm.bmHeight, c.height);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    DeleteObject(bitmap);
  }
}

// Draws the icon at `size` onto a teal background and reads back the result.
std::vector<COLORREF> DrawIconOnTeal(HICON icon, int size) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(dc, target);
  HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
  const RECT all{0, 0, size, size};
  FillRect(dc, &all, teal);
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(teal);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

TEST(ArtworkOnWindows, IconDrawsAGlassOfRedWineThroughItsMaskAtEverySize) {
  for (int size : {16, 24, 32, 48, 256}) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(LoadFromFile("ormind.ico", IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << GetLastError();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_NE(info.hbmMask, nullptr);
    EXPECT_NE(info.hbmColor, nullptr);
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, size);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    const std::vector<COLORREF> pixels = DrawIconOnTeal(icon, size);
    EXPECT_EQ(pixels[0], RGB(0, 128, 128));                // corner: background shows
    EXPECT_EQ(pixels[size - 1], RGB(0, 128, 128));
    const COLORREF wine = pixels[(size * 3 / 8) * size + size / 2];
    EXPECT_GT(GetRValue(wine), GetGValue(wine) + 60);      // bowl: red wine
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace ormind::test
