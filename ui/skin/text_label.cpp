#include "ui/skin/text_label.h"

#include "platform/text_encoding.h"

namespace ormind {
namespace {
// Line feeds break lines; '&' is shown as it is, not as an accelerator mark.
constexpr UINT kTextFormat = DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX | DT_NOCLIP;
}

TLabel::TLabel(int left, int top, const LabelFont& font, std::string caption)
    : layoutLeft_(left), layoutTop_(top), layoutFont_(font), color_(font.color),
      caption_(std::move(caption)), text_(Utf8ToWide(caption_)) {
  SetScale(DisplayScale());
}

void TLabel::SetScale(const DisplayScale& scale) {
  LOGFONTW logFont{};
  logFont.lfHeight = -scale.Length(layoutFont_.pixelHeight);
  logFont.lfWeight = layoutFont_.bold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = layoutFont_.italic;
  logFont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(logFont.lfFaceName, layoutFont_.face, LF_FACESIZE);
  font_.Reset(CreateFontIndirectW(&logFont));
  bounds_.left = scale.Length(layoutLeft_);
  bounds_.top = scale.Length(layoutTop_);
  Measure();
}

void TLabel::SetCaption(std::string utf8) {
  caption_ = std::move(utf8);
  text_ = Utf8ToWide(caption_);
  Measure();
}

void TLabel::Measure() {
  MemoryDC dc(nullptr);
  SelectedObject selected(dc.Get(), font_.Get());
  // An empty label keeps the height of one line.
  std::wstring measured = text_.empty() ? L" " : text_;
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &rect,
            kTextFormat | DT_CALCRECT);
  bounds_.width = rect.right - rect.left;
  bounds_.height = rect.bottom - rect.top;
}

void TLabel::Paint(HDC dc, int dx, int dy) const {
  if (text_.empty()) return;
  SelectedObject selected(dc, font_.Get());
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, color_);
  RECT rect{bounds_.left + dx, bounds_.top + dy, bounds_.Right() + dx, bounds_.Bottom() + dy};
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &rect, kTextFormat);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

}  // namespace ormind
