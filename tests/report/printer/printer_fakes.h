#pragma once
// Recording fakes of the platform behind the page printer: a printer device, a page recorder
// and a message queue whose pump runs scripted handlers, all writing into one log.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/report/pages/emf_builder.h"
#include "report/pages/error.h"
#include "report/printer/printer_device.h"

namespace ormind::testing {

using Log = std::vector<std::string>;

struct NullCanvas : TRptCanvas {
  int32_t PixelsPerInchX() const override { return 96; }
  int32_t PixelsPerInchY() const override { return 96; }
  void SelectFont(const TRptFont&) override {}
  bool MeasureText(const std::string&, TRptTextSize&) override { return true; }
  void DrawText(int32_t, int32_t, const std::string&, TRptTextAlign, bool) override {}
  void FillRect(const TRptRect&, TRptColor) override {}
  void DrawGraphic(const TRptGraphic&, const TRptRect&) override {}
  void ClipTo(const TRptRect&) override {}
  void ClearClip() override {}
};

struct FakeDevice : TRptPrinterDevice {
  explicit FakeDevice(Log& log) : log(log) {}
  std::vector<std::string> PrinterNames() override { return printers; }
  void SelectPrinter(int32_t index) override { selected = index; }
  int32_t PrinterIndex() const override { return -1; }
  void ResetDeviceMode() override {}
  TRptDeviceNames DeviceNames() override { return Detail("DeviceNames"), names; }
  std::string DriverPath(const std::string&) override { return Detail("DriverPath"), driverPath; }
  bool ReadDeviceMode(TRptDeviceMode& m) override {
    Detail("ReadDeviceMode");
    if (hasMode) m = mode;
    return hasMode;
  }
  void WriteDeviceMode(const TRptDeviceMode& m) override {
    Detail("WriteDeviceMode");
    mode = m;
    // A new device mode makes a new context, which may report other capabilities.
    if (capsAfterWrite) caps = *capsAfterWrite;
  }
  TRptDeviceCaps Capabilities() override { return Detail("Capabilities"), caps; }
  std::vector<int32_t> PaperCodes() override {
    return Detail("PaperCodes"), std::vector<int32_t>{1, 8, 9, 11, 19};
  }
  std::vector<int32_t> BinCodes() override { return Detail("BinCodes"), bins; }

  TRptJobStart StartJob(const std::string& title) override {
    if (Call("StartJob " + title)) return TRptJobStart::Started;
    return declineStart ? TRptJobStart::DeclinedByUser : TRptJobStart::Refused;
  }
  bool StartPage() override { return Call("StartPage"); }
  bool EndPage() override { return Call("EndPage"); }
  bool EndJob() override { return Call("EndJob"); }
  void AbortJob() override { log.push_back("Abort"); }
  TRptCanvas& PageCanvas() override { return canvas; }
  // Pages are told apart by their frame width (21000 + page number).
  void DrawPage(const TRptPagePicture& page, const TRptRect& r) override {
    log.push_back("Draw " + std::to_string(page.FrameWidth() - 21000) + " " +
                  std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + " at " +
                  std::to_string(r.Left) + "," + std::to_string(r.Top));
  }
  // A query that opens the selected printer itself (on Windows, for a connection, its print
  // server), logged as "Detail WHAT PRINTER" when `logDetails` is set.
  void Detail(const char* what) {
    if (!logDetails) return;
    const size_t at = selected >= 0 && size_t(selected) < printers.size() ? size_t(selected) : 0;
    log.push_back(std::string("Detail ") + what + " " + printers[at]);
  }
  // Logs the call; refuses the `failAt`-th call that starts with `failing`.
  bool Call(const std::string& what) {
    log.push_back(what);
    if (failing.empty() || what.rfind(failing, 0) != 0 || --failAt > 0) return true;
    failing.clear();
    return false;
  }

  Log& log;
  std::vector<std::string> printers{"PDF"};  // the first is the default
  int32_t selected = -1;
  TRptDeviceNames names{"PDF", "winspool", "CUPS:PDF"};
  std::string driverPath = "C:\\windows\\system32\\spool\\drivers\\x64\\3\\wineps.drv";
  bool hasMode = true;
  TRptDeviceMode mode{0x130f, 1, 9, 0, 0, 1, 7, 1};  // every field the printer uses
  TRptDeviceCaps caps{300, 300, 50, 60, 2480, 3508, 2380, 3388};
  std::vector<int32_t> bins{1, 2, 3, 4, 7, 8, 14, 15};
  std::string failing;
  int failAt = 1;
  bool declineStart = false;
  bool logDetails = false;  // a refused StartJob is the user's Cancel
  std::optional<TRptDeviceCaps> capsAfterWrite;
  NullCanvas canvas;
};

struct FakeRecorder : TRptPageRecorder {
  struct Recording : TRptPageRecording {
    TRptCanvas& Canvas() override { return canvas; }
    std::unique_ptr<TRptPagePicture> Close() override {
      return std::make_unique<TRptEmfImage>(MakeTestEmf(21000 + number, 29700, 0, number));
    }
    int32_t number = 0;
    NullCanvas canvas;
  };
  explicit FakeRecorder(Log& log) : log(log) {}
  int32_t ScreenPixelsPerInch() const override { return 96; }
  std::unique_ptr<TRptPageRecording> BeginPage(int32_t w, int32_t h) override {
    log.push_back("Record " + std::to_string(w) + "x" + std::to_string(h));
    if (pages + 1 == failingPage) throw ERptError("The page picture could not be recorded");
    auto recording = std::make_unique<Recording>();
    recording->number = ++pages;
    return recording;
  }
  std::unique_ptr<TRptPagePicture> MakePicture() override {
    return std::make_unique<TRptEmfImage>();
  }
  Log& log;
  int32_t pages = 0;
  int32_t failingPage = 0;  // this page cannot be begun (0: none)
};

// The n-th pump (from 1) runs the handler scripted for it; a handler's ERptError is logged, as
// the window procedure's handler would show it.
struct FakeMessages : TRptMessagePort {
  explicit FakeMessages(Log& log) : log(log) {}
  void ProcessMessages() override {
    const auto it = script.find(++pumps);
    if (it == script.end()) return;
    try {
      it->second();
    } catch (const ERptError& e) {
      log.push_back(std::string("Error ") + e.what());
    }
  }
  void Post(TRptWindowRef, uint32_t message, uintptr_t wParam, intptr_t) override {
    log.push_back("Post " + std::to_string(message) + " " + std::to_string(wParam));
  }
  void Send(TRptWindowRef, uint32_t message, uintptr_t, intptr_t) override {
    log.push_back("Send " + std::to_string(message));
  }
  void ShowMessage(const std::string& text) override { log.push_back("Message " + text); }

  Log& log;
  int pumps = 0;
  std::map<int, std::function<void()>> script;
};

}  // namespace ormind::testing
