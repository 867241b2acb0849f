#include "report/model/controller.h"

#include "report/model/page_run.h"
#include "report/model/report.h"

namespace ormind {

TRptController::TRptController(TCustomReport& report, TRptPageRun& run)
    : report_(report),
      run_(run),
      title_(report.FindBand(TRptBandType::rbTitle)),
      columnHeader_(report.FindBand(TRptBandType::rbColumnHeader)),
      detail_(report.FindBand(TRptBandType::rbDetail)),
      summary_(report.FindBand(TRptBandType::rbSummary)) {}

void TRptController::Execute() {
  const auto* needData = report_.NeedDataHandler();
  if (needData == nullptr && !report_.PrintIfEmpty) return;
  run_.ProcessMessages();
  if (run_.Stopped()) return;
  run_.PrintBand(title_);
  if (needData != nullptr) {
    PrintRecords(*needData);
  } else {
    run_.PrintBand(detail_);
  }
  run_.PrintBand(summary_);
}

void TRptController::PrintRecords(const std::function<void(bool&)>& needData) {
  run_.PrintBand(columnHeader_);
  while (!run_.Stopped()) {
    bool more = false;
    needData(more);
    if (!more) break;
    run_.PrintBand(detail_);
    run_.ProcessMessages();
  }
}

}  // namespace ormind
