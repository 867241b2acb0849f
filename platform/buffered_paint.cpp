#include "platform/buffered_paint.h"

#include "platform/handles.h"

namespace ormind {

void PaintBuffered(HWND window, const std::function<void(HDC dc, const RECT& area)>& draw) {
  PaintDC paint(window);
  const RECT& area = paint.Area();
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  MemoryDC buffer(paint.Get());
  BitmapHandle bitmap(CreateCompatibleBitmap(paint.Get(), width, height));
  if (!buffer || !bitmap) return;
  SelectedObject selected(buffer.Get(), bitmap.Get());
  SetViewportOrgEx(buffer.Get(), -area.left, -area.top, nullptr);
  draw(buffer.Get(), area);
  SetViewportOrgEx(buffer.Get(), 0, 0, nullptr);
  BitBlt(paint.Get(), area.left, area.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
}

}  // namespace ormind
