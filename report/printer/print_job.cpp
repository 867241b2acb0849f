#include "report/printer/print_job.h"

#include "report/pages/error.h"

namespace ormind {

void TRptPrintJob::Check(bool succeeded, const char* what) {
  if (succeeded) return;
  Abort();
  throw ERptError(std::string("The printer could not ") + what + "; the print job was cancelled");
}

void TRptPrintJob::RequireRunning() const {
  if (!fRunning) throw ERptError("Printer is not currently printing");
}

bool TRptPrintJob::Start(const std::string& title) {
  if (fRunning) throw ERptError("Printing in progress");
  // Nothing is spooled when the start fails: there is no job to abandon.
  switch (fDevice.StartJob(title)) {
    case TRptJobStart::Started:
      break;
    case TRptJobStart::DeclinedByUser:
      return false;
    case TRptJobStart::Refused:
      throw ERptError("The printer could not start the print job");
  }
  fRunning = true;
  Check(fDevice.StartPage(), "start a page");
  return true;
}

void TRptPrintJob::Advance() {
  RequireRunning();
  Check(fDevice.EndPage(), "finish a page");
  Check(fDevice.StartPage(), "start a page");
}

void TRptPrintJob::End() {
  RequireRunning();
  Check(fDevice.EndJob(), "finish the print job");
  fRunning = false;
}

void TRptPrintJob::Abort() {
  if (!fRunning) return;
  fRunning = false;
  fDevice.AbortJob();
}

}  // namespace ormind
