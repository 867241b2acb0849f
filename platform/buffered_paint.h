#pragma once
// Double-buffered painting: WM_PAINT's area is drawn off screen first and copied in one step,
// so nothing flickers over what lies beneath it.
#include <windows.h>

#include <functional>

namespace ormind {

// Answers WM_PAINT for `window`: `draw` paints on a memory DC whose coordinates are the
// window's client coordinates, within the invalid area it is given.
void PaintBuffered(HWND window, const std::function<void(HDC dc, const RECT& area)>& draw);

}  // namespace ormind
