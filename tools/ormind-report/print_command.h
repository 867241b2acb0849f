#pragma once
// ormind-report print: a saved report's stored pages on a printer, without a dialog (Windows).
#include <ostream>
#include <string>
#include <vector>

namespace ormind {

// What `print FILE [--printer NAME] [--pages FROM-TO] [--copies N]` asks for.
struct TPrintRequest {
  std::string File;
  std::string Printer;  // empty: the default printer
  int32_t FirstPage = 0, LastPage = 0;  // 0: all pages
  int32_t Copies = 1;
};

// Reads the arguments after "print"; false on a usage error.
bool ParsePrintRequest(const std::vector<std::string>& args, TPrintRequest& request);

// The job name for a saved report: the title its pages were recorded under (the second string
// of the first page's metafile description, when the first is the program's name), else the
// file's name without folder and extension.
std::string SavedReportTitle(const std::vector<uint8_t>& firstPage, const std::string& path);

// Prints the request; throws ERptError (or a platform error) when it cannot. Windows only.
void PrintSavedReport(const TPrintRequest& request, std::ostream& err);

}  // namespace ormind
