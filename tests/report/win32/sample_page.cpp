#include "tests/report/win32/sample_page.h"

#include <windows.h>

namespace ormind::testing {

const SampleProbe kSampleProbes[] = {
    {20, 20, 0x00FFFFFF},     // paper
    {250, 200, 0x000000CC},   // red box
    {600, 200, 0x00CC6600},   // blue box
    {450, 700, 0x000080FF},   // the bitmap's orange left half
    {650, 700, 0x0000A000},   // the bitmap's green right half
};
const int kSampleProbeCount = sizeof kSampleProbes / sizeof kSampleProbes[0];

namespace {

void FillBox(HDC dc, int l, int t, int r, int b, COLORREF colour) {
  const RECT box{l, t, r, b};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

}  // namespace

std::vector<uint8_t> RecordSamplePage() {
  HDC screen = GetDC(nullptr);
  // The frame in 0.01 mm; the recording's own units are the reference device's pixels.
  const RECT frame{0, 0, 21000, 29700};
  HDC dc = CreateEnhMetaFileW(screen, nullptr, &frame, L"Ormind\0Sample page\0");
  ReleaseDC(nullptr, screen);
  const int width = GetDeviceCaps(dc, HORZRES) * 21000 / (GetDeviceCaps(dc, HORZSIZE) * 100);
  const int height = GetDeviceCaps(dc, VERTRES) * 29700 / (GetDeviceCaps(dc, VERTSIZE) * 100);
  // Draw in a 96-dpi page of 794 x 1123 whatever the reference device's resolution is.
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 794, 1123, nullptr);
  SetViewportExtEx(dc, width, height, nullptr);

  FillBox(dc, 0, 0, 794, 1123, RGB(255, 255, 255));
  FillBox(dc, 100, 100, 400, 300, RGB(204, 0, 0));
  FillBox(dc, 450, 100, 750, 300, RGB(0, 102, 204));

  HPEN pen = CreatePen(PS_SOLID, 4, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 60, 60, 734, 1063);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);

  HFONT font = CreateFontW(-48, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                           DEFAULT_PITCH, L"Arial");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  const wchar_t title[] = L"Happy birthday!";
  TextOutW(dc, 120, 380, title, lstrlenW(title));
  SelectObject(dc, oldFont);
  DeleteObject(font);

  // A 64 x 64 bitmap, orange on the left, green on the right, stretched to 300 x 300.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 64;
  info.bmiHeader.biHeight = 64;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint8_t> bits(64 * 64 * 3);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      uint8_t* p = &bits[(y * 64 + x) * 3];  // blue, green, red
      if (x < 32) {
        p[0] = 0x00, p[1] = 0x80, p[2] = 0xFF;
      } else {
        p[0] = 0x00, p[1] = 0xA0, p[2] = 0x00;
      }
    }
  StretchDIBits(dc, 400, 550, 300, 300, 0, 0, 64, 64, bits.data(), &info, DIB_RGB_COLORS,
                SRCCOPY);

  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(emf);
  return bytes;
}

}  // namespace ormind::testing
