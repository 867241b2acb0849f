#pragma once
// One print job on a printer device, with every platform call checked: a call the platform
// refuses aborts the job and raises ERptError, so a job is never printed half and reported as
// done.
#include <string>

#include "report/printer/printer_device.h"

namespace ormind {

class TRptPrintJob {
 public:
  explicit TRptPrintJob(TRptPrinterDevice& device) : fDevice(device) {}

  bool Running() const { return fRunning; }
  // Starts the document and its first page. "Printing in progress" while a job runs. False,
  // with nothing spooled, when the user declined the job as it started.
  bool Start(const std::string& title);
  // Ends the current page and starts the next one.
  void Advance();
  // Ends the last page and the document; the spooler prints it.
  void End();
  // Abandons the job; nothing when no job runs.
  void Abort();

 private:
  void Check(bool succeeded, const char* what);
  void RequireRunning() const;

  TRptPrinterDevice& fDevice;
  bool fRunning = false;
};

}  // namespace ormind
