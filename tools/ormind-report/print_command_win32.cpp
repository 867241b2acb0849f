// The Windows half of `ormind-report print`: the saved pages through a page printer on the
// chosen printer, as the preview prints a loaded file.
#include <memory>

#include "platform/message_loop.h"
#include "report/pages/error.h"
#include "report/printer/printer.h"
#include "report/pages/report_file.h"
#include "tools/ormind-report/print_command.h"
#include "report/win32/emf_recorder.h"
#include "report/win32/win32_printer_device.h"

namespace ormind {
namespace {

// No windows: what the page printer would tell the user goes to standard error.
class TConsolePort final : public TRptMessagePort {
 public:
  explicit TConsolePort(std::ostream& err) : fErr(err) {}
  void ProcessMessages() override { ProcessPendingMessages(); }
  void Post(TRptWindowRef, uint32_t, uintptr_t, intptr_t) override {}
  void Send(TRptWindowRef, uint32_t, uintptr_t, intptr_t) override {}
  void ShowMessage(const std::string& text) override { fErr << "ormind-report: " << text << "\n"; }

 private:
  std::ostream& fErr;
};

int32_t ChosenPrinter(TRptPrinterDevice& device, const std::string& name) {
  const std::vector<std::string> names = device.PrinterNames();
  if (names.empty()) throw ERptError("No printer is installed");
  if (name.empty()) return -1;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int32_t>(i);
  }
  throw ERptError("There is no printer called \"" + name + "\"");
}

}  // namespace

void PrintSavedReport(const TPrintRequest& request, std::ostream& err) {
  TConsolePort port(err);
  // Stored pages print at their own size on the sheet, so the resolution they are read at only
  // decides which paper they match: the one they were recorded at.
  TRptEmfRecorder recorder(96);
  auto device = std::make_unique<TRptWin32PrinterDevice>();
  const int32_t index = ChosenPrinter(*device, request.Printer);
  TRptPrinter printer(std::move(device), recorder, port);
  printer.SelectPrinter(index);
  LoadReportFile(printer, request.File);

  const int32_t pages = printer.PageCount();
  if (request.LastPage > pages) {
    throw ERptError("Pages " + std::to_string(request.FirstPage) + "-" +
                    std::to_string(request.LastPage) + " are outside the report's " +
                    std::to_string(pages) + " page(s)");
  }
  if (pages == 0) throw ERptError("The report has no pages");
  printer.SetRange(request.FirstPage, request.LastPage);
  // Copies are whole sets in the one job (2, 3, 2, 3), the device making one of each: a queue
  // that writes files keeps no copy count, and no device makes copies twice over.
  printer.DeviceSettings().SetCopies(1);
  printer.SetStoredPageSets(request.Copies);
  const auto first = printer.GetPage(1);
  printer.SetJobTitle(SavedReportTitle(first->Bytes(), request.File));
  printer.PrintPages();
}

}  // namespace ormind
