#include "report/model/label.h"

#include <algorithm>

#include "report/model/band.h"
#include "report/model/line_wrap.h"
#include "report/model/page_target.h"
#include "report/model/report.h"

namespace ormind {
namespace {

// Any text gives the font's line height; a capital W is the usual probe.
const std::string kProbe = "W";

}  // namespace

TRptCustomLabel::TRptCustomLabel(TCustomReport& report) : TRptPrintable(report) {}

void TRptCustomLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  WrapLines();
}

void TRptCustomLabel::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  WrapLines();
}

void TRptCustomLabel::SetFont(const TRptFont& font) {
  font_ = font;
  WrapLines();
}

void TRptCustomLabel::Loaded() {
  if (FontSize > 0) font_.Height = -PointsToPixels(FontSize, ScreenPixelsPerInch());
  WrapLines();
}

TRptAlignment TRptCustomLabel::EffectiveAlignment() const {
  if (BiDiMode != TRptBiDiMode::bdRightToLeft) return Alignment();
  switch (Alignment()) {
    case TRptAlignment::taLeftJustify: return TRptAlignment::taRightJustify;
    case TRptAlignment::taRightJustify: return TRptAlignment::taLeftJustify;
    default: return TRptAlignment::taCenter;
  }
}

int32_t TRptCustomLabel::TextWidth(const std::string& text) const {
  TRptCanvas& reference = Report().ReferenceCanvas();
  reference.SelectFont(font_);
  TRptTextSize size;
  if (!reference.MeasureText(text, size)) return 0;
  return (size.Width + 1) * Report().Zoom() / 100;
}

void TRptCustomLabel::WrapLines() {
  lines_.clear();
  // Without WordWrap each piece stays one line as it stands, like an auto-sized one.
  const bool whole = autoSize_ || !wordWrap_;
  const TRptTextWidth width = [this](const std::string& text) { return TextWidth(text); };
  for (const std::string& text : SourceTexts()) WrapText(text, whole, Bounds().Width, width, lines_);
  if (autoSize_) FitWidthToLines();
  if (autoSize_ || KeepsOneLineHeight()) GrowToOneLine();
}

void TRptCustomLabel::FitWidthToLines() {
  int32_t widest = 0;
  for (const std::string& line : lines_) widest = std::max(widest, TextWidth(line));
  const int32_t frameSide = Frame.Thickness(ScreenPixelsPerInch() / 254.0L);
  const int32_t width =
      widest + (Frame.DrawLeft ? frameSide : 0) + (Frame.DrawRight ? frameSide : 0);
  TRptPixelBounds bounds = Bounds();
  const int32_t shrink = bounds.Width - width;
  if (EffectiveAlignment() == TRptAlignment::taRightJustify) bounds.Left += shrink;
  if (EffectiveAlignment() == TRptAlignment::taCenter) bounds.Left += shrink / 2;
  bounds.Width = width;
  SetBounds(bounds);
}

void TRptCustomLabel::GrowToOneLine() {
  TRptCanvas& reference = Report().ReferenceCanvas();
  reference.SelectFont(font_);
  TRptTextSize size;
  if (!reference.MeasureText(kProbe, size)) return;
  const int32_t lineHeight = size.Height * Report().Zoom() / 100 + 1;
  if (Bounds().Height >= lineHeight) return;
  TRptPixelBounds bounds = Bounds();
  bounds.Height = lineHeight;
  SetBounds(bounds);
}

TRptFont TRptCustomLabel::FontForDevice(int32_t pixelsPerInch) const {
  TRptFont font = font_;
  if (FontSize > 0) {
    font.Height = -PointsToPixels(FontSize, pixelsPerInch);
  } else {
    font.Height = static_cast<int32_t>(
        RptRound(static_cast<long double>(font_.Height) * pixelsPerInch / ScreenPixelsPerInch()));
  }
  return font;
}

void TRptCustomLabel::PrintAt(long double x, long double y) {
  if (!Enabled) return;
  TRptPageTarget& target = Target();
  TRptCanvas& canvas = target.PageCanvas();
  canvas.SelectFont(FontForDevice(canvas.PixelsPerInchY()));
  const TRptPrintableSize& size = Size();
  long double left = size.ValueIn(1, TRptUnit::Native, false) + x;
  long double top = size.ValueIn(2, TRptUnit::Native, true) + y;
  const long double givenWidth = size.ValueIn(3, TRptUnit::Native, false);
  const long double height = size.ValueIn(0, TRptUnit::Native, true);
  TRptTextSize probe;
  const long double lineHeight =
      canvas.MeasureText(kProbe, probe) ? probe.Height / target.FactorY() : 0;

  WrapLines();
  const long double width = size.ValueIn(3, TRptUnit::Native, false);
  if (!Transparent) canvas.FillRect(DeviceRect(left, top, left + width, top + height), Color);
  // The text starts inside the frame's top and left sides. A frame of width -1 is one device
  // pixel thick, whatever the device's resolution, so the text moves in by one pixel.
  const long double inset = RptRound(Frame.Width / 72.0L * 254);
  if (Frame.DrawTop) top += Frame.Width < 0 ? 1 / target.FactorY() : inset;
  if (Frame.DrawLeft) left += Frame.Width < 0 ? 1 / target.FactorX() : inset;

  const TRptAlignment align = EffectiveAlignment();
  long double anchor = left;
  if (autoSize_ && align == TRptAlignment::taRightJustify) anchor = left - (width - givenWidth);
  if (autoSize_ && align == TRptAlignment::taCenter) anchor = left - (width - givenWidth) / 2;
  TRptTextAlign textAlign = TRptTextAlign::Left;
  if (align == TRptAlignment::taRightJustify) anchor += width, textAlign = TRptTextAlign::Right;
  if (align == TRptAlignment::taCenter) anchor += width / 2, textAlign = TRptTextAlign::Center;

  const long double stretch =
      PrintLines(anchor, textAlign, left, top, width, height, lineHeight);
  canvas.ClearClip();
  DrawFrame(DeviceRect(left, top, left + width, top + height + stretch));
}

long double TRptCustomLabel::PrintLines(long double anchorX, TRptTextAlign align,
                                        long double left, long double top, long double width,
                                        long double height, long double lineHeight) {
  TRptPageTarget& target = Target();
  TRptCanvas& canvas = target.PageCanvas();
  if (PrintFinished()) currentLine_ = 0;
  const long double bottom = top + height + 1;
  long double limit = bottom;
  long double lineTop = top;
  bool firstExtraLine = true;
  const size_t firstLine = currentLine_;
  const bool rightToLeft = BiDiMode == TRptBiDiMode::bdRightToLeft;
  while (currentLine_ < lines_.size()) {
    if (lineTop + lineHeight > limit) {
      TRptCustomBand* band = ParentBand();
      if (!AutoStretch || band == nullptr || !band->Expand(lineHeight, firstExtraLine)) break;
      firstExtraLine = false;
      const long double grown = bottom + band->Expansion();
      if (!Transparent) canvas.FillRect(DeviceRect(left, limit, left + width, grown), Color);
      limit = grown;
    }
    const std::string& line = lines_[currentLine_];
    if (!line.empty()) {
      canvas.DrawText(target.ToDeviceX(anchorX), target.ToDeviceY(lineTop), line, align,
                      rightToLeft);
    }
    lineTop += lineHeight;
    ++currentLine_;
  }
  // A stretching control continues on the next page, unless not even one line of it fits
  // there: then no page ever would, and the rest is dropped.
  const bool remaining = currentLine_ < lines_.size();
  SetPrintFinished(!(remaining && AutoStretch && currentLine_ > firstLine));
  return limit - bottom;
}

void TRptLabel::SetCaption(const std::string& caption) {
  caption_ = caption;
  WrapLines();
}

void TRptLabel::Prepare(TRptPageTarget& target) {
  TRptPrintable::Prepare(target);
  SetCaption(caption_);
}

void TRptLabel::PrintAt(long double x, long double y) {
  if (!OnPrint || caption_.empty()) {
    TRptCustomLabel::PrintAt(x, y);
    return;
  }
  const std::string stored = caption_;
  OnPrint(*this, caption_);
  try {
    TRptCustomLabel::PrintAt(x, y);
  } catch (...) {
    caption_ = stored;
    throw;
  }
  caption_ = stored;
}

}  // namespace ormind
