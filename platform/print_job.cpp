#include "platform/print_job.h"

namespace ormind {

PrintJob::PrintJob(HDC printer, const std::wstring& documentName, const wchar_t* outputFile)
    : printer_(printer) {
  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = documentName.c_str();
  info.lpszOutput = outputFile;
  SetLastError(ERROR_SUCCESS);
  jobId_ = printer ? StartDocW(printer, &info) : 0;
  if (jobId_ <= 0) throw PrintError("Cannot start printing", GetLastError());
}

PrintJob::~PrintJob() {
  if (open_) AbortDoc(printer_);
}

void PrintJob::End() {
  if (!open_) return;
  open_ = false;
  if (EndDoc(printer_) <= 0) throw PrintError("Printing failed");
}

void PrintJob::Abort() {
  if (!open_) return;
  open_ = false;
  AbortDoc(printer_);
}

PrintPage::PrintPage(PrintJob& job) : printer_(job.Printer()) {
  if (StartPage(printer_) <= 0) throw PrintError("Cannot start a page");
}

void PrintPage::End() {
  if (!open_) return;
  open_ = false;
  if (EndPage(printer_) <= 0) throw PrintError("Printing failed");
}

}  // namespace ormind
