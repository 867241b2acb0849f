#include "report/win32/gdi_canvas.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace ormind {
namespace {

RECT ToRect(const TRptRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

UINT AlignFlags(TRptTextAlign align) {
  switch (align) {
    case TRptTextAlign::Right: return TA_RIGHT;
    case TRptTextAlign::Center: return TA_CENTER;
    case TRptTextAlign::Left: break;
  }
  return TA_LEFT;
}

LOGFONTW LogFontOf(const TRptFont& font) {
  LOGFONTW log{};
  log.lfHeight = font.Height;
  log.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
  log.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
  log.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
  log.lfCharSet = font.CharSet;
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = DEFAULT_PITCH;
  // The face name is cut to the record's 31 characters and always terminated.
  const std::wstring face = Utf8ToWide(font.Name);
  const size_t length = std::min(face.size(), size_t(LF_FACESIZE - 1));
  face.copy(log.lfFaceName, length);
  log.lfFaceName[length] = L'\0';
  return log;
}

}  // namespace

TRptGdiCanvas::TRptGdiCanvas(HDC dc)
    : TRptGdiCanvas(dc, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)) {}

TRptGdiCanvas::TRptGdiCanvas(HDC dc, int32_t pixelsPerInchX, int32_t pixelsPerInchY)
    : fDC(dc), fPixelsPerInchX(pixelsPerInchX), fPixelsPerInchY(pixelsPerInchY) {}

TRptGdiCanvas::~TRptGdiCanvas() { RestoreOriginalFont(); }

void TRptGdiCanvas::RestoreOriginalFont() {
  // The owned font is deleted only once it is no longer selected.
  if (fOriginalFont != nullptr) SelectObject(fDC, fOriginalFont);
  fOriginalFont = nullptr;
  fFont.Reset();
}

void TRptGdiCanvas::Refresh() {
  RestoreOriginalFont();
  fFontSelected = false;
}

void TRptGdiCanvas::SelectFont(const TRptFont& font) {
  if (fFontSelected && font == fFontWanted) return;
  const LOGFONTW log = LogFontOf(font);
  FontHandle created(CreateFontIndirectW(&log));
  if (!created) return;  // the DC keeps drawing in the font it has
  const HGDIOBJ previous = SelectObject(fDC, created.Get());
  if (previous == nullptr || previous == HGDI_ERROR) return;
  if (fOriginalFont == nullptr) fOriginalFont = previous;
  fFont = std::move(created);  // the font selected before this one is free now
  SetTextColor(fDC, font.Color);
  fFontWanted = font;
  fFontSelected = true;
}

bool TRptGdiCanvas::MeasureText(const std::string& text, TRptTextSize& size) {
  const std::wstring wide = Utf8ToWide(text);
  SIZE extent{};
  if (!GetTextExtentPoint32W(fDC, wide.c_str(), static_cast<int>(wide.size()), &extent)) {
    return false;
  }
  size.Width = extent.cx;
  size.Height = extent.cy;
  return true;
}

void TRptGdiCanvas::DrawText(int32_t x, int32_t y, const std::string& text, TRptTextAlign align,
                             bool rightToLeft) {
  const std::wstring wide = Utf8ToWide(text);
  SetBkMode(fDC, TRANSPARENT);
  SetTextAlign(fDC, TA_TOP | TA_NOUPDATECP | AlignFlags(align) | (rightToLeft ? TA_RTLREADING : 0));
  ExtTextOutW(fDC, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

void TRptGdiCanvas::FillRect(const TRptRect& rect, TRptColor color) {
  const BrushHandle brush(CreateSolidBrush(color));
  if (!brush) return;
  const RECT area = ToRect(rect);
  ::FillRect(fDC, &area, brush.Get());
}

void TRptGdiCanvas::DrawGraphic(const TRptGraphic& graphic, const TRptRect& rect) {
  // Pictures of another platform's kind have nothing to draw with here.
  const auto* drawable = dynamic_cast<const TRptGdiGraphic*>(&graphic);
  if (drawable == nullptr || drawable->Empty()) return;
  drawable->Draw(fDC, ToRect(rect));
}

void TRptGdiCanvas::ClipTo(const TRptRect& rect) {
  // In logical units, so it holds on a recording DC whose units are mapped too.
  SelectClipRgn(fDC, nullptr);
  IntersectClipRect(fDC, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TRptGdiCanvas::ClearClip() { SelectClipRgn(fDC, nullptr); }

}  // namespace ormind
