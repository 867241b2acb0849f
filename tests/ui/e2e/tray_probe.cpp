// Reads window state for the end-to-end test from inside the wine session:
//   tray_probe window CLASS   "visible", "hidden" or "none" for the top-level window of CLASS
//   tray_probe menu           "x y width height" of the open popup menu, or "none"
//   tray_probe textwidth LANG "normal bold" ink widths in the menu font of the captions of N1, N2
//                             and N4 in the interface language LANG, one line each
//   tray_probe forget         makes the shell drop the program's icon, as a restarting shell
//                             does (the icon of the program's hidden tray window, id 0)
//   tray_probe taskbar        broadcasts the shell's "TaskbarCreated" message
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/interface_texts.h"

namespace {

int Window(const wchar_t* className) {
  HWND window = FindWindowW(className, nullptr);
  std::puts(!window ? "none" : IsWindowVisible(window) ? "visible" : "hidden");
  return 0;
}

int Menu() {
  HWND menu = nullptr;
  while ((menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr) {
    if (!IsWindowVisible(menu)) continue;
    RECT r;
    GetWindowRect(menu, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  std::puts("none");
  return 0;
}

std::wstring Wide(const std::string& utf8) {
  std::wstring out(utf8.size(), L'\0');
  out.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), int(out.size())));
  return out;
}

// Width of the ink of `text` drawn black on white in the menu font: the columns holding a pixel
// that is not near white, as the screenshot probe counts them.
int InkWidth(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  const int width = size.cx + 8, height = size.cy + 4;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, 4, 2, text.c_str(), int(text.size()));
  GdiFlush();
  int left = width, right = -1;
  const auto* pixel = static_cast<const unsigned char*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = pixel + 4 * (y * width + x);
      if (p[0] + p[1] + p[2] < 600) { left = std::min(left, x); right = std::max(right, x); }
    }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  return right < left ? 0 : right - left + 1;
}

void TextWidth(const std::wstring& text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  int widths[2];
  for (int bold = 0; bold < 2; ++bold) {
    LOGFONTW font = metrics.lfMenuFont;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    widths[bold] = InkWidth(dc, text);
    SelectObject(dc, old);
    DeleteObject(handle);
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  std::printf("%d %d\n", widths[0], widths[1]);
}

int CaptionWidths(int lang) {
  const ormind::InterfaceTexts texts(lang);
  using ormind::TextId;
  for (TextId id : {TextId::Show, TextId::Minimize, TextId::Close}) TextWidth(Wide(texts[id]));
  return 0;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::wstring command = count > 1 ? args[1] : L"";
  if (command == L"window" && count > 2) return Window(args[2]);
  if (command == L"menu") return Menu();
  if (command == L"textwidth" && count > 2) return CaptionWidths(_wtoi(args[2]));
  if (command == L"forget") {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = FindWindowW(L"OrmindTrayIconWindow", nullptr);
    record.uID = 0;
    std::puts(record.hWnd && Shell_NotifyIconW(NIM_DELETE, &record) ? "forgotten" : "none");
    return 0;
  }
  if (command == L"taskbar") {
    SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    return 0;
  }
  std::fputs("usage: tray_probe window CLASS | menu | textwidth LANG | forget | taskbar\n", stderr);
  return 2;
}
