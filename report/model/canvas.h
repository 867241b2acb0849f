#pragma once
// The surface a report page is drawn on, and the pictures drawn on it. The report engine lays out
// and prints through these interfaces only, so its rules run natively against a recording canvas;
// on Windows the canvas wraps a device context (an enhanced-metafile recording DC for the preview,
// the printer's DC for printing, a memory DC compatible with the screen for measuring).
#include <cstdint>
#include <string>

// A platform header included before this one may define DrawText as a macro (for its own
// function of that name); the canvas's method keeps its name.
#ifdef DrawText
#undef DrawText
#endif

namespace ormind {

// 0x00BBGGRR, as everywhere in the program.
using TRptColor = uint32_t;

struct TRptRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRptRect&) const = default;
};

enum TRptFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font as the report stores it: the height is in pixels of the device it is selected into
// (negative: character height without internal leading, as the platform's font records have it).
struct TRptFont {
  std::string Name = "Arial";  // UTF-8
  int32_t Height = -13;
  uint32_t Style = 0;          // TRptFontStyle bits
  TRptColor Color = 0;
  uint8_t CharSet = 1;         // the platform's default character set
  bool operator==(const TRptFont&) const = default;
};

struct TRptTextSize {
  int32_t Width = 0, Height = 0;
};

enum class TRptTextAlign { Left, Right, Center };

// A picture a printable control holds (bitmap, JPEG, PNG, metafile, icon). The canvas that draws
// it knows the concrete kinds of its own platform.
class TRptGraphic {
 public:
  virtual ~TRptGraphic() = default;
  virtual bool Empty() const = 0;
  // Natural size in pixels.
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
};

class TRptCanvas {
 public:
  virtual ~TRptCanvas() = default;

  // Pixels per inch of the device, horizontally and vertically.
  virtual int32_t PixelsPerInchX() const = 0;
  virtual int32_t PixelsPerInchY() const = 0;

  virtual void SelectFont(const TRptFont& font) = 0;
  // The extent of `text` (UTF-8) in the selected font; false when measuring fails.
  virtual bool MeasureText(const std::string& text, TRptTextSize& size) = 0;
  // Draws `text` with its top at y: left-aligned at x, right-aligned at x, or centred on x;
  // transparent background, never clipped to a control. `rightToLeft` adds the platform's
  // right-to-left reading flag.
  virtual void DrawText(int32_t x, int32_t y, const std::string& text, TRptTextAlign align,
                        bool rightToLeft) = 0;

  virtual void FillRect(const TRptRect& rect, TRptColor color) = 0;
  // Draws `graphic` stretched into `rect` (the aspect ratio is not kept).
  virtual void DrawGraphic(const TRptGraphic& graphic, const TRptRect& rect) = 0;

  // Limits drawing to `rect` until ClearClip.
  virtual void ClipTo(const TRptRect& rect) = 0;
  virtual void ClearClip() = 0;
};

}  // namespace ormind
