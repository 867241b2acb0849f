#pragma once
// Paper sizes the page printer knows, and how a stored page's size maps onto them.
#include <cstdint>
#include <vector>

namespace ormind {

enum class TRptPaperSize : int32_t {
  Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small,
  A5, B4, B5, Folio, Quarto, rp10X14, rp11X17, Note, Env9, Env10, Env11, Env12, Env14, CSheet,
  DSheet, ESheet, Custom
};

enum class TRptOrientation : int32_t { Portrait = 0, Landscape = 1 };

struct TRptPaperInfo {
  const char* Name;
  int32_t DeviceCode;  // the device mode's paper code
  double Width;        // mm; 0 for Default and Custom, whose size comes from the device
  double Height;
};

const TRptPaperInfo& PaperInfo(TRptPaperSize size);

struct TRptPaperMatch {
  TRptPaperSize Size;
  TRptOrientation Orientation;
};

// Every table size (Letter to ESheet, in order) that a page of `widthMm10` x `heightMm10`
// tenths of a millimetre matches in whole steps of 4 mm, upright or turned; a loader applies
// them in turn, so the last one wins.
std::vector<TRptPaperMatch> MatchPaperSizes(double widthMm10, double heightMm10);

}  // namespace ormind
