#pragma once
// TLabel: a windowless text drawn transparently, sized to its text (one line per line feed).
#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "base/geometry.h"

namespace ormind {

struct LabelFont {
  const wchar_t* face;
  int pixelHeight;  // character height
  bool bold;
  bool italic;
  COLORREF color;
};

class TLabel {
 public:
  TLabel(int left, int top, const LabelFont& font, std::string caption);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string utf8);
  const Bounds& BoundsRect() const { return bounds_; }

  // Draws the text with its top-left corner moved by (dx, dy).
  void Paint(HDC dc, int dx, int dy) const;

 private:
  void Measure();

  FontHandle font_;
  COLORREF color_;
  std::string caption_;
  std::wstring text_;
  Bounds bounds_;
};

}  // namespace ormind
