#pragma once
// Fakes for running the report model without a device: a canvas that records what is drawn and
// measures every character as the same width, and a page target that counts pages.
#include <functional>
#include <string>
#include <vector>

#include "report/model/canvas.h"
#include "report/model/page_target.h"
#include "report/model/units.h"

namespace ormind::testing {

struct DrawnText {
  int32_t X, Y;
  std::string Text;
  TRptTextAlign Align;
  bool RightToLeft;
};

// Each character (UTF-8 code point) is `charWidth` pixels wide; a line is as high as the font.
class RecordingCanvas : public TRptCanvas {
 public:
  explicit RecordingCanvas(int32_t ppi = 96, int32_t charWidth = 10) : ppi(ppi), charWidth(charWidth) {}
  int32_t ppi, charWidth;
  TRptFont font;
  std::vector<DrawnText> texts;
  std::vector<TRptRect> graphics, clips, fills;

  int32_t PixelsPerInchX() const override { return ppi; }
  int32_t PixelsPerInchY() const override { return ppi; }
  void SelectFont(const TRptFont& f) override { font = f; }
  bool MeasureText(const std::string& text, TRptTextSize& size) override {
    int32_t chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    size = {chars * charWidth, font.Height < 0 ? -font.Height : font.Height};
    return true;
  }
  void DrawText(int32_t x, int32_t y, const std::string& text, TRptTextAlign align,
                bool rightToLeft) override {
    texts.push_back({x, y, text, align, rightToLeft});
  }
  void FillRect(const TRptRect& rect, TRptColor) override { fills.push_back(rect); }
  void DrawGraphic(const TRptGraphic&, const TRptRect& rect) override { graphics.push_back(rect); }
  void ClipTo(const TRptRect& rect) override { clips.push_back(rect); }
  void ClearClip() override {}
};

struct FakeGraphic : TRptGraphic {
  FakeGraphic(int32_t w, int32_t h) : w(w), h(h) {}
  int32_t w, h;
  bool Empty() const override { return w <= 0 || h <= 0; }
  int32_t Width() const override { return w; }
  int32_t Height() const override { return h; }
};

// A page printer aimed at page pictures of an A4 portrait sheet at the canvas's resolution.
class FakePageTarget : public TRptPageTarget {
 public:
  explicit FakePageTarget(int32_t ppi = 96) : canvas(ppi) {}
  RecordingCanvas canvas;
  int pages = 0, opened = 0, closed = 0, abandoned = 0, pumps = 0;
  bool cancel = false;
  std::function<void(FakePageTarget&)> onNewPage, onPump;

  void ApplyJobSettings(const TRptJobSettings&) override {}
  void OpenDocument() override { ++opened; }
  void NewPage() override {
    ++pages;
    if (onNewPage) onNewPage(*this);
  }
  void CloseDocument() override { ++closed; }
  void AbandonDocument() override { ++abandoned; }
  TRptCanvas& PageCanvas() override { return canvas; }
  long double FactorX() const override { return canvas.ppi / 254.0L; }
  long double FactorY() const override { return canvas.ppi / 254.0L; }
  int32_t ToDeviceX(long double x) const override { return int32_t(RptRound(x * FactorX())); }
  int32_t ToDeviceY(long double y) const override { return int32_t(RptRound(y * FactorY())); }
  int32_t ToDeviceWidth(long double w) const override { return ToDeviceX(w); }
  int32_t ToDeviceHeight(long double h) const override { return ToDeviceY(h); }
  long double PaperWidthValue() const override { return 2100; }
  long double PaperLengthValue() const override { return 2970; }
  bool CancelRequested() const override { return cancel; }
  void SetProgress(int32_t) override {}
  void ProcessMessages() override {
    ++pumps;
    if (onPump) onPump(*this);
  }
};

}  // namespace ormind::testing
