#pragma once
// A window's display scale: the layouts are drawn at 96 pixels per inch, and at any other DPI
// every length of them is multiplied by DPI / 96. Pictures come as renderings at some of 100,
// 125, 150 and 200 % (the buttons at all four, the faces at 100 and 200 %); a window takes the
// nearest one it has at or above its scale (the largest above 200 %) and draws it down, or up,
// to the scaled size.
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace ormind {

inline constexpr int kLayoutDpi = 96;

class DisplayScale {
 public:
  // A DPI of zero or less (a system that could not tell) is taken as the layout's own.
  constexpr explicit DisplayScale(int dpi = kLayoutDpi) : dpi_(dpi > 0 ? dpi : kLayoutDpi) {}

  constexpr int Dpi() const { return dpi_; }
  constexpr bool IsLayoutScale() const { return dpi_ == kLayoutDpi; }

  // A length of the layout in pixels at this scale, to the nearest pixel (halves away from
  // zero, as 383 at 150 % is 575).
  int Length(int layoutPixels) const;
  // A rectangle of the layout: its edges are scaled, so rectangles that touch at 96 DPI still
  // touch.
  Bounds Rect(const Bounds& layout) const;

  // The percentage of the rendering best for this scale: 100, 125, 150 or 200.
  int RenderingPercent() const;
  // The resource names of a picture's renderings, best first: the one at RenderingPercent,
  // the larger ones, then the smaller ones from the nearest down. The name itself is the
  // rendering at 100 %, the others add "_" and the percentage ("TFORM1_IMAGE1_150").
  std::vector<std::wstring> RenderingNames(std::wstring_view name100) const;

  friend constexpr bool operator==(DisplayScale, DisplayScale) = default;

 private:
  int dpi_;
};

}  // namespace ormind
