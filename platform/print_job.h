#pragma once
// Scope guards for printing on a DC: a job (StartDocW ... EndDoc, or AbortDoc when the job is
// left without End()) and a page (StartPage ... EndPage). Every call is checked; a failure
// throws PrintError, and leaving the job's scope by that exception aborts the job.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace ormind {

class PrintError : public std::runtime_error {
 public:
  explicit PrintError(const char* what, DWORD systemError = ERROR_SUCCESS)
      : std::runtime_error(what), systemError_(systemError) {}
  // GetLastError() of the refused call (ERROR_CANCELLED: the user cancelled it).
  DWORD SystemError() const { return systemError_; }

 private:
  DWORD systemError_;
};

class PrintJob {
 public:
  // Starts a job named `documentName`; `outputFile` (optional) prints to a file. A printer that
  // prints to a file may ask for the file here; its Cancel fails with ERROR_CANCELLED.
  PrintJob(HDC printer, const std::wstring& documentName, const wchar_t* outputFile = nullptr);
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  ~PrintJob();

  HDC Printer() const { return printer_; }
  int JobId() const { return jobId_; }
  // Ends the job normally; throws when the spooler refuses it.
  void End();
  // Throws the job away (the user cancelled): nothing more is printed.
  void Abort();

 private:
  HDC printer_;
  int jobId_;
  bool open_ = true;
};

// Aborts every job still open, for a session that is ending: the spooler throws their pages
// away instead of keeping a job that never ends. The code printing them then fails at its next
// page and unwinds as on any print error.
void AbortOpenPrintJobs();
size_t OpenPrintJobCount();

// One page of a running job. Leaving it without End() (an exception while drawing) does not
// end the page: the job's AbortDoc throws the whole job away.
class PrintPage {
 public:
  explicit PrintPage(PrintJob& job);
  PrintPage(const PrintPage&) = delete;
  PrintPage& operator=(const PrintPage&) = delete;
  void End();

 private:
  HDC printer_;
  bool open_ = true;
};

}  // namespace ormind
