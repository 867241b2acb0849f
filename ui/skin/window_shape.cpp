#include "ui/skin/window_shape.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/skin/rules/see_through_region.h"

namespace ormind {
namespace {

constexpr std::uint32_t kSeeThrough = 0xFFFFFF;  // white, in any channel order

// The face as the window shows it, drawn on white into 32-bit pixels; none when the picture
// cannot be made.
std::optional<std::vector<Bounds>> FaceOutline(int width, int height, const std::function<void(HDC)>& paintFace) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  MemoryDC dc(nullptr);
  BitmapHandle picture(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture || !bits) return std::nullopt;
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  {
    SelectedObject selected(dc.Get(), picture.Get());
    const RECT whole{0, 0, width, height};
    FillRect(dc.Get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    paintFace(dc.Get());
    GdiFlush();
  }
  return OpaqueRectangles({pixels, static_cast<std::size_t>(width) * height}, width, height,
                          kSeeThrough);
}

bool ApplyRegion(HWND window, RegionHandle region) {
  if (!region || !SetWindowRgn(window, region.Get(), TRUE)) return false;
  (void)region.Release();  // the window owns it now
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (exStyle & WS_EX_LAYERED) SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
  return true;
}

bool ApplyColorKey(HWND window, TSkinHost::SetLayeredAttributes colorKey) {
  if (!colorKey) return false;
  SetWindowRgn(window, nullptr, TRUE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  return colorKey(window, kSeeThrough, 255, LWA_COLORKEY) != FALSE;
}

}  // namespace

RegionHandle RegionFromRectangles(std::span<const Bounds> rectangles) {
  // RGNDATA: its header, then the rectangles; held in RECTs so that both are aligned.
  static_assert(sizeof(RGNDATAHEADER) % sizeof(RECT) == 0, "the rectangles follow the header");
  constexpr std::size_t kHeaderRects = sizeof(RGNDATAHEADER) / sizeof(RECT);
  std::vector<RECT> data(kHeaderRects + rectangles.size());
  auto* region = reinterpret_cast<RGNDATA*>(data.data());
  RECT bound{0, 0, 0, 0};
  for (std::size_t i = 0; i < rectangles.size(); ++i) {
    const Bounds& r = rectangles[i];
    const RECT rect{r.left, r.top, r.Right(), r.Bottom()};
    data[kHeaderRects + i] = rect;
    if (i == 0) bound = rect;
    UnionRect(&bound, &bound, &rect);
  }
  region->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rectangles.size()),
                 static_cast<DWORD>(rectangles.size() * sizeof(RECT)), bound};
  return RegionHandle(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size() * sizeof(RECT)),
                                      region));
}

TWindowShape ShapeWindowByFace(HWND window, const std::function<void(HDC)>& paintFace,
                               TSkinHost::SetLayeredAttributes colorKey) {
  RECT client{};
  GetClientRect(window, &client);
  if (paintFace && client.right > 0 && client.bottom > 0) {
    const auto outline = FaceOutline(client.right, client.bottom, paintFace);
    if (outline && ApplyRegion(window, RegionFromRectangles(*outline))) return TWindowShape::Region;
  }
  return ApplyColorKey(window, colorKey) ? TWindowShape::ColorKey : TWindowShape::Rectangle;
}

}  // namespace ormind
