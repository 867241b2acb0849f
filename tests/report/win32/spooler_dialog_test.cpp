// The spooler's two-call queries and bounded strings, the print dialog's flags and device names,
// and the progress window.
#include "report/win32/windows_api.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/message_loop.h"
#include "report/printer/printer.h"
#include "report/win32/emf_recorder.h"
#include "report/win32/print_dialog.h"
#include "report/win32/progress_form.h"
#include "report/win32/spooler.h"
#include "report/win32/message_port.h"

namespace ormind {
namespace {

TEST(Spooler, QueriesAskForTheSizeFirstAndCheckBothCalls) {
  const struct {
    const char* what;
    BOOL sizeAnswer;
    DWORD sizeError, needed;
    BOOL recordAnswer;
    std::optional<size_t> recordSize;
  } cases[] = {
      {"nothing to report", TRUE, 0, 0, TRUE, 0},
      {"a record far larger than 255 bytes", FALSE, ERROR_INSUFFICIENT_BUFFER, 5000, TRUE, 5000},
      {"the size query fails", FALSE, ERROR_INVALID_HANDLE, 0, TRUE, std::nullopt},
      {"a size of nothing", FALSE, ERROR_INSUFFICIENT_BUFFER, 0, TRUE, std::nullopt},
      {"the record query fails", FALSE, ERROR_INSUFFICIENT_BUFFER, 700, FALSE, std::nullopt},
  };
  for (const auto& c : cases) {
    std::vector<DWORD> sizesGiven;
    const auto record = QuerySpooler([&](BYTE* buffer, DWORD size, DWORD* needed) {
      sizesGiven.push_back(size);
      if (buffer == nullptr) {
        *needed = c.needed;
        SetLastError(c.sizeError);
        return c.sizeAnswer;
      }
      std::memset(buffer, 0xAB, size);  // the whole buffer is the callee's to fill
      return c.recordAnswer;
    });
    EXPECT_EQ(record.has_value(), c.recordSize.has_value()) << c.what;
    if (record && c.recordSize) EXPECT_EQ(record->size(), *c.recordSize) << c.what;
    if (sizesGiven.size() == 2) EXPECT_EQ(sizesGiven[1], c.needed) << c.what;
  }
}

TEST(Spooler, StringsAreReadUpToTheirEndButNeverPastTheRecord) {
  const std::wstring longName(300, L'P');  // longer than any fixed name buffer
  std::vector<uint8_t> record(16 + (longName.size() + 1) * sizeof(wchar_t));
  auto* text = reinterpret_cast<wchar_t*>(record.data() + 16);
  std::memcpy(text, longName.c_str(), (longName.size() + 1) * sizeof(wchar_t));
  std::vector<uint8_t> unterminated(10 * sizeof(wchar_t), 'x');
  const wchar_t outside[] = L"elsewhere";
  const struct {
    const char* what;
    const wchar_t* at;
    const std::vector<uint8_t>* in;
    size_t length;
  } cases[] = {
      {"a long name whole", text, &record, 300},
      {"the tail of a name", text + 290, &record, 10},
      {"no terminator before the end", reinterpret_cast<const wchar_t*>(unterminated.data()),
       &unterminated, 10},
      {"a pointer outside the record", outside, &record, 0},
      {"no string", nullptr, &record, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(StringInRecord(c.at, *c.in).size(), c.length) << c.what;
}

TEST(PrintDialog, FlagsFollowTheOptionsRangeCollateAndPrintToFile) {
  const DWORD hooks = PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  const struct {
    uint32_t options;
    int32_t range;
    bool collate, toFile;
    DWORD flags;
  } cases[] = {
      {poPageNums | poWarning, 0, false, false, hooks | PD_HIDEPRINTTOFILE | PD_NOSELECTION},
      {0, 0, false, false,
       hooks | PD_HIDEPRINTTOFILE | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING},
      {63, 2, true, true,
       hooks | PD_PAGENUMS | PD_COLLATE | PD_PRINTTOFILE | PD_DISABLEPRINTTOFILE | PD_SHOWHELP},
      {poPrintToFile | poSelection | poWarning, 1, false, false, hooks | PD_SELECTION | PD_NOPAGENUMS},
  };
  for (const auto& c : cases) {
    TRptWin32PrinterDevice printer;
    TRptPrintDialog dialog(printer);
    dialog.Options = c.options;
    dialog.PrintRange = c.range;
    dialog.Collate = c.collate;
    dialog.PrintToFile = c.toFile;
    EXPECT_EQ(dialog.Flags(), c.flags) << c.options;
  }
}

TEST(PrintDialog, DeviceNamesHoldEachNameAtItsOffset) {
  const std::wstring longDevice(200, L'D');
  for (const auto& [device, port] : {std::pair<std::wstring, std::wstring>{L"PDF", L"CUPS:PDF"},
                                     {longDevice, L"LPT1:"}}) {
    const GlobalHandle block = MakeDeviceNames(device, port);
    const GlobalLocked<wchar_t> text(block.Get());
    ASSERT_NE(text.Get(), nullptr);
    const auto* names = reinterpret_cast<const DEVNAMES*>(text.Get());
    EXPECT_EQ(std::wstring(text.Get() + names->wDriverOffset), L"winspool");
    EXPECT_EQ(std::wstring(text.Get() + names->wDeviceOffset), device);
    EXPECT_EQ(std::wstring(text.Get() + names->wOutputOffset), port);
  }
}

// A plain top-level window for the progress form to be owned by.
struct TWindowOwner {
  TWindowOwner() {
    handle = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 300, 200, nullptr,
                             nullptr, nullptr, nullptr);
  }
  ~TWindowOwner() { DestroyWindow(handle); }
  HWND Handle() const { return handle; }
  HWND handle;
};

// A printer list with nothing in it: the page printer then reads no settings.
struct NoPrinters : TRptPrinterDevice {
  std::vector<std::string> PrinterNames() override { return {}; }
  void SelectPrinter(int32_t) override {}
  int32_t PrinterIndex() const override { return -1; }
  void ResetDeviceMode() override {}
  TRptDeviceNames DeviceNames() override { return {}; }
  std::string DriverPath(const std::string&) override { return {}; }
  bool ReadDeviceMode(TRptDeviceMode&) override { return false; }
  void WriteDeviceMode(const TRptDeviceMode&) override {}
  TRptDeviceCaps Capabilities() override { return {}; }
  std::vector<int32_t> PaperCodes() override { return {}; }
  std::vector<int32_t> BinCodes() override { return {}; }
  TRptJobStart StartJob(const std::string&) override { return TRptJobStart::Refused; }
  bool StartPage() override { return false; }
  bool EndPage() override { return false; }
  bool EndJob() override { return false; }
  void AbortJob() override {}
  TRptCanvas& PageCanvas() override { throw std::logic_error("no page"); }
  void DrawPage(const TRptPagePicture&, const TRptRect&) override {}
};

TEST(ProgressForm, ShowsMultiplesOfFiveAndCancelsThePrinter) {
  TRptWin32MessagePort port;
  TRptEmfRecorder recorder(96);
  TRptPrinter printer(std::make_unique<NoPrinters>(), recorder, port);
  TWindowOwner owner;
  TRptProgressForm form(printer, owner.Handle());
  printer.SetNotifyTarget(form.NoticeTarget());
  // Above the window it was started from only: owned by it, never on top of other programs.
  EXPECT_EQ(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), owner.Handle());
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 149);
  EXPECT_EQ(client.bottom, 97);

  const struct {
    int32_t percent;
    const char* info;
    int gauge;
  } steps[] = {{5, "5%  Completed", 5}, {40, "40%  Completed", 40}, {42, "40%  Completed", 40},
               {100, "100%  Completed", 100}};
  EXPECT_EQ(form.Info.Text(), "");
  for (const auto& s : steps) {
    printer.SetProgress(s.percent);
    ProcessPendingMessages();
    EXPECT_EQ(form.Info.Text(), s.info) << s.percent;
    EXPECT_EQ(SendMessageW(form.Gauge.Handle(), PBM_GETPOS, 0, 0), s.gauge) << s.percent;
  }
  // The dialog manager's question on Enter and Tab (the progress notice's number) names
  // Cancel as the default button and does not run the progress handler.
  SetWindowTextW(form.Info.Handle(), L"");
  EXPECT_EQ(SendMessageW(form.Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(IDCANCEL, DC_HASDEFID));
  EXPECT_EQ(form.Info.Text(), "");
  EXPECT_FALSE(printer.CancelRequested());
  SendMessageW(form.CancelButton.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(printer.CancelRequested());
}

TEST(PrintDialog, FailuresNameTheExtendedError) {
  const struct {
    DWORD error;
    const char* text;
  } cases[] = {{0x1008, "The print dialog failed (error 0x1008)"},
               {0xFFFF, "The print dialog failed (error 0xFFFF)"},
               {0x100B, "The print dialog failed (error 0x100B)"}};
  for (const auto& c : cases) EXPECT_EQ(PrintDialogFailure(c.error), c.text);
}

}  // namespace
}  // namespace ormind
