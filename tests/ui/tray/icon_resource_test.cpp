// Loading the program icon from the resources: the image for the small-icon size, which the
// notification area shows, with the most colours the screen shows (the test icon's 16 x 16,
// 256-colour image is yellow; its 32 x 32 ones are red and blue).
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/tray/tray_icon_image.h"

namespace ormind {
namespace {

COLORREF CentrePixel(HICON icon, int* width) {
  ICONINFO info{};
  GetIconInfo(icon, &info);
  BITMAP bm{};
  GetObject(info.hbmColor, sizeof bm, &bm);
  *width = bm.bmWidth;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, info.hbmColor);
  const COLORREF colour = GetPixel(dc, bm.bmWidth / 2, bm.bmHeight / 2);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return colour;
}

TEST(IconResource, LoadsTheSmallImageWithMostColours) {
  TIcon icon;
  int changes = 0;
  icon.OnChange = [&] { ++changes; };
  icon.LoadFromResource(GetModuleHandleW(nullptr), L"MAINICON");
  ASSERT_FALSE(icon.Empty());
  EXPECT_EQ(changes, 1);
  int width = 0;
  EXPECT_EQ(CentrePixel(icon.Handle(), &width), RGB(255, 255, 0));
  EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
}

TEST(IconResource, MissingResourceIsAClearError) {
  TIcon icon;
  try {
    icon.LoadFromResource(GetModuleHandleW(nullptr), L"NOSUCHICON");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Icon resource NOSUCHICON not found");
  }
  EXPECT_TRUE(icon.Empty());
}

}  // namespace
}  // namespace ormind
