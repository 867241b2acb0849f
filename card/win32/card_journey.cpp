#include "card/win32/card_journey.h"

#include "report/win32/report_graphic.h"
#include "platform/text_encoding.h"
#include "report/win32/preview/preview_interface.h"
#include "report/win32/print_setup_dialog.h"
#include "platform/handles.h"
#include "report/win32/system_printing.h"

namespace ormind {
namespace {

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TRptEngineSettings SystemReportSettings() {
  wchar_t measure[4] = L"";
  GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IMEASURE, measure, 4);
  const int colours = GetDeviceCaps(WindowDC(nullptr).Get(), NUMCOLORS);
  TRptEngineSettings settings = InitReportUnits(WideToUtf8(measure), colours);
  settings.JapaneseLocale = PRIMARYLANGID(LANGIDFROMLCID(GetThreadLocale())) == LANG_JAPANESE;
  return settings;
}

TCardJourney::TCardJourney(const TSkinHost& host, const std::string& printPicture)
    : owner_(host.owner),
      messages_(host.owner),
      Report1(reference_.Canvas(), SystemReportSettings(), ProgramPictureFormats(),
              BuiltInCardBackground),
      printing_(Report1, PrintingPlatform()),
      Form2(host,
            {.Card = &Report1,
             .PrintPicture = printPicture,
             .BuiltIn = BuiltInCardBackground,
             .FileExists = FileExists,
             .PreviewOpen = [this] { return printing_.PreviewOpen(); }}) {}

TCardJourney::~TCardJourney() { reportWindow_.SetPrinting(nullptr); }

TRptPrintingPlatform TCardJourney::PrintingPlatform() {
  TRptPrintingPlatform platform = SystemPrintingPlatform(recorder_, messages_);
  platform.ShowPreview = [](TRptPrinter& printer) { OpenRptPreview(printer); };
  platform.PrintSetup = [this](TRptPrinter& printer, TCustomReport& report) {
    PrintSetup(printer, report);
  };
  return platform;
}

void TCardJourney::PrintSetup(TRptPrinter& printer, TCustomReport& report) {
  if (!sharedPrinter_) sharedPrinter_ = std::make_unique<TRptWin32PrinterDevice>();
  // Owned by the preview it was opened from, so that closing it brings the preview back and
  // not the main window over it.
  const HWND notices = reinterpret_cast<HWND>(printer.NotifyTarget());
  const HWND preview = notices != nullptr && IsWindow(notices) ? GetAncestor(notices, GA_ROOT)
                                                               : nullptr;
  RunReportPrintSetup(report, &printer, *sharedPrinter_, preview != nullptr ? preview : owner_);
}

void TCardJourney::Create() {
  reportWindow_.Create();
  reportWindow_.SetPrinting(&printing_);
  printing_.SetReportWindow(reportWindow_.Ref());
  printing_.Attach();
  Form2.Create();
}

}  // namespace ormind
