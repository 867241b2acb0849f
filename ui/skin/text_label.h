#pragma once
// TLabel: a windowless text drawn transparently, sized to its text (one line per line feed).
#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "base/geometry.h"
#include "ui/skin/rules/display_scale.h"

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
  // Placed and sized for 96 DPI until SetScale says otherwise.
  TLabel(int left, int top, const LabelFont& font, std::string caption);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string utf8);
  const Bounds& BoundsRect() const { return bounds_; }
  // Moves the label and sizes its font for `scale`.
  void SetScale(const DisplayScale& scale);

  // Draws the text with its top-left corner moved by (dx, dy).
  void Paint(HDC dc, int dx, int dy) const;

 private:
  void Measure();

  int layoutLeft_, layoutTop_;
  LabelFont layoutFont_;
  FontHandle font_;
  COLORREF color_;
  std::string caption_;
  std::wstring text_;
  Bounds bounds_;
};

}  // namespace ormind
