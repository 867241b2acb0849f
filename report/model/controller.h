#pragma once
// Decides which bands a run prints, in which order: title, the detail band once per record
// (or once when there is no data at all), summary.
#include "report/model/band.h"

namespace ormind {

class TCustomReport;
class TRptPageRun;

class TRptController {
 public:
  TRptController(TCustomReport& report, TRptPageRun& run);
  void Execute();

 private:
  void PrintRecords(const std::function<void(bool&)>& needData);

  TCustomReport& report_;
  TRptPageRun& run_;
  TRptCustomBand* title_;
  TRptCustomBand* columnHeader_;
  TRptCustomBand* detail_;
  TRptCustomBand* summary_;
};

}  // namespace ormind
