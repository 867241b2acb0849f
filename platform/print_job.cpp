#include "platform/print_job.h"

#include <algorithm>
#include <vector>

namespace ormind {
namespace {

// The jobs started and not yet ended or aborted (one at a time in practice); the windows'
// thread is the only one that prints.
std::vector<PrintJob*>& OpenJobs() {
  static std::vector<PrintJob*> jobs;
  return jobs;
}

void Forget(PrintJob* job) { std::erase(OpenJobs(), job); }

}  // namespace

PrintJob::PrintJob(HDC printer, const std::wstring& documentName, const wchar_t* outputFile)
    : printer_(printer) {
  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = documentName.c_str();
  info.lpszOutput = outputFile;
  SetLastError(ERROR_SUCCESS);
  jobId_ = printer ? StartDocW(printer, &info) : 0;
  if (jobId_ <= 0) throw PrintError("Cannot start printing", GetLastError());
  OpenJobs().push_back(this);
}

PrintJob::~PrintJob() {
  Abort();
}

void PrintJob::End() {
  if (!open_) return;
  open_ = false;
  Forget(this);
  if (EndDoc(printer_) <= 0) throw PrintError("Printing failed");
}

void PrintJob::Abort() {
  if (!open_) return;
  open_ = false;
  Forget(this);
  AbortDoc(printer_);
}

void AbortOpenPrintJobs() {
  // Abort() takes each job off the list.
  while (!OpenJobs().empty()) OpenJobs().back()->Abort();
}

size_t OpenPrintJobCount() { return OpenJobs().size(); }

PrintPage::PrintPage(PrintJob& job) : printer_(job.Printer()) {
  if (StartPage(printer_) <= 0) throw PrintError("Cannot start a page");
}

void PrintPage::End() {
  if (!open_) return;
  open_ = false;
  if (EndPage(printer_) <= 0) throw PrintError("Printing failed");
}

}  // namespace ormind
