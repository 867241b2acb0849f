#pragma once
// The report side of print setup, without the dialog: the page range the dialog offers and what
// an accepted dialog changes on the report.
#include <cstdint>

#include "report/pages/paper.h"
#include "report/printer/printer.h"
#include "report/model/report.h"

namespace ormind {

// The print dialog's range choice.
enum class TRptPrintRange : int32_t { AllPages = 0, Selection = 1, PageNumbers = 2 };

// The page numbers the dialog offers and presets.
struct TRptPrintSetupPages {
  int32_t MinPage = 0, MaxPage = 9999;
  int32_t FromPage = 0, ToPage = 0;
  bool operator==(const TRptPrintSetupPages&) const = default;
};

// Pages 0 to 9999 until the report's page printer (none: no preview) has finished generating;
// then 1 to its page count, with that whole range preset.
TRptPrintSetupPages PrintSetupPages(const TRptPrinter* pagePrinter);

// What the user chose in an accepted dialog.
struct TRptPrintSetupChoice {
  int32_t Copies = 1;
  int32_t PrinterIndex = -1;
  TRptOrientation Orientation = TRptOrientation::Portrait;
  TRptPrintRange Range = TRptPrintRange::AllPages;
  int32_t FromPage = 0, ToPage = 0;
};

// Copies, printer, the page's orientation and the page range (all and selection: 0 to 0).
void ApplyPrintSetup(TCustomReport& report, const TRptPrintSetupChoice& choice);

}  // namespace ormind
