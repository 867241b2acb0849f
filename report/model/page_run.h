#pragma once
// One page-generation run of a report onto a page target: the run's position on the page,
// bands printed in turn, new columns and pages, and the clean-up that leaves the report usable
// whatever happens during the run.
#include <cstdint>

#include "report/model/band.h"
#include "report/model/page_target.h"

namespace ormind {

class TCustomReport;

class TRptPageRun {
 public:
  TRptPageRun(TCustomReport& report, TRptPageTarget& target);
  ~TRptPageRun();
  TRptPageRun(const TRptPageRun&) = delete;
  TRptPageRun& operator=(const TRptPageRun&) = delete;

  void Execute();

  // Prints a band (and its child band) at the print position, making room for it first.
  void PrintBand(TRptCustomBand* band);
  // Picks up a cancel from the page target; true once the run is cancelled.
  bool Stopped();
  void ProcessMessages() { target_.ProcessMessages(); }
  int64_t SpaceLeftOnPage() const;

 private:
  bool Begin();
  void Run();
  void Cleanup(bool prepared);
  void EndDocument();
  TRptJobSettings JobSettings() const;
  long double PageFooterHeight() const;
  bool MakeRoomFor(TRptCustomBand& band);
  void PrintPasses(TRptCustomBand& band);
  void NewColumn();
  void NewPage();
  void FinishPage();

  TCustomReport& report_;
  TRptPageTarget& target_;
  bool wasVisible_ = false;
  bool documentOpen_ = false;
  bool lastPage_ = false;
  int64_t x_ = 0;
  int64_t y_ = -1;  // -1: no page begun yet
  int32_t column_ = 1;
  int64_t columnTop_ = 0;
  long double pageFooters_ = 0;
  int32_t nesting_ = 0;
};

}  // namespace ormind
