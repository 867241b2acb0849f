#pragma once
// The report canvas over a Windows device context: the enhanced-metafile recording DC of a
// preview page, the printer's DC while a page is printed, or a memory DC compatible with the
// screen for measuring text. The DC is borrowed; the canvas owns the font it selects and puts
// the DC's own font back when it goes.
#include "report/win32/windows_api.h"

#include "platform/handles.h"
#include "report/model/canvas.h"

namespace ormind {

// The Windows base of the pictures a printable control holds: each kind draws itself.
class TRptGdiGraphic : public TRptGraphic {
 public:
  // Draws the picture stretched into `rect` (logical units of `dc`).
  virtual void Draw(HDC dc, const RECT& rect) const = 0;
};

class TRptGdiCanvas final : public TRptCanvas {
 public:
  // Resolution read from the DC itself.
  explicit TRptGdiCanvas(HDC dc);
  // For a DC whose logical units are not its device pixels (a recording DC mapped to a page
  // of so many pixels per inch).
  TRptGdiCanvas(HDC dc, int32_t pixelsPerInchX, int32_t pixelsPerInchY);
  ~TRptGdiCanvas() override;
  TRptGdiCanvas(const TRptGdiCanvas&) = delete;
  TRptGdiCanvas& operator=(const TRptGdiCanvas&) = delete;

  HDC Handle() const { return fDC; }
  // Forgets what was selected, so the next font is selected again: a printer may reset the
  // DC's objects when it starts a page.
  void Refresh();

  int32_t PixelsPerInchX() const override { return fPixelsPerInchX; }
  int32_t PixelsPerInchY() const override { return fPixelsPerInchY; }
  void SelectFont(const TRptFont& font) override;
  bool MeasureText(const std::string& text, TRptTextSize& size) override;
  void DrawText(int32_t x, int32_t y, const std::string& text, TRptTextAlign align,
                bool rightToLeft) override;
  void FillRect(const TRptRect& rect, TRptColor color) override;
  void DrawGraphic(const TRptGraphic& graphic, const TRptRect& rect) override;
  void ClipTo(const TRptRect& rect) override;
  void ClearClip() override;

 private:
  void RestoreOriginalFont();

  HDC fDC;
  int32_t fPixelsPerInchX, fPixelsPerInchY;
  TRptFont fFontWanted;
  bool fFontSelected = false;
  FontHandle fFont;
  HGDIOBJ fOriginalFont = nullptr;
};

// A canvas on a memory DC compatible with the screen: where a report measures its text.
class TRptScreenCanvas {
 public:
  TRptScreenCanvas() : fDC(nullptr), fCanvas(fDC.Get()) {}
  TRptGdiCanvas& Canvas() { return fCanvas; }

 private:
  MemoryDC fDC;
  TRptGdiCanvas fCanvas;
};

}  // namespace ormind
