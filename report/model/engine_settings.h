#pragma once
// What the report engine takes from the system once, when it starts: the measurement system
// (default unit, paper and margins of a new page) and the colour scheme of the design surface.
#include <cstdint>
#include <string>

#include "report/model/canvas.h"
#include "report/model/units.h"

namespace ormind {

enum class TRptPenStyle { Solid, Dash, Dot };

struct TRptPen {
  TRptPenStyle Style;
  TRptColor Color;
};

// How the design surface draws band outlines, captions, margins and the ruler grid. Page
// pictures never contain any of it.
struct TRptDesignColours {
  TRptPen BandOutline;
  TRptColor CaptionFontColor;  // "Small Fonts", 6 pt
  TRptPen MarginLines;
  TRptPen GridFirst;
  TRptPen GridSecond;
};

struct TRptEngineSettings {
  bool UsMeasurement = false;
  bool RichColours = true;
  // The primary language of the thread's locale is Japanese: the report font is left alone.
  bool JapaneseLocale = false;
  // The default printer's current paper, when there is one.
  TRptPaperSize DefaultPrinterPaper = TRptPaperSize::Default;

  TRptPageDefaults PageDefaults() const { return PageDefaultsFor(UsMeasurement); }
  const TRptDesignColours& DesignColours() const;
};

// `measurementSystem`: the system locale's measurement item ("1": U.S. units; anything else,
// unreadable included, metric). `screenColours`: the screen's number of colours (negative:
// more than can be counted).
TRptEngineSettings InitReportUnits(const std::string& measurementSystem, int64_t screenColours);

}  // namespace ormind
