#pragma once
// Shapes a skinned window by its face. The window region is made once per face picture, from
// the face's see-through (pure white) pixels as it is drawn, and the window owns the region from
// then on: whatever the system draws inside the window afterwards (selected text, a caret, a
// scroll bar in any theme, text drawn outside WM_PAINT) may be white without cutting a hole.
// Where no region can be made, the window falls back to a layered colour key on white, under
// which every white pixel is see-through; without layered windows it stays a rectangle.
#include <windows.h>

#include <functional>
#include <span>

#include "base/geometry.h"
#include "platform/handles.h"
#include "ui/skin/skin_host.h"

namespace ormind {

enum class TWindowShape { Rectangle, Region, ColorKey };

// A region made of `rectangles`, or none when the system cannot make it.
RegionHandle RegionFromRectangles(std::span<const Bounds> rectangles);

// Draws the face with `paintFace` into a picture of the window's size laid on white, and shapes
// `window` (a window without a frame: its client area is the whole window) by its see-through
// pixels. `paintFace` null: no face to shape by. `colorKey` is the fallback (null: none).
TWindowShape ShapeWindowByFace(HWND window, const std::function<void(HDC)>& paintFace,
                               TSkinHost::SetLayeredAttributes colorKey);

}  // namespace ormind
