#include "card/win32/card_journey.h"

#include "report/win32/report_graphic.h"
#include "platform/message_loop.h"
#include "platform/text_encoding.h"
#include "report/win32/preview/preview_interface.h"
#include "report/win32/print_setup_dialog.h"
#include "report/win32/progress_form.h"
#include "ui/app/application.h"

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
  HDC screen = GetDC(nullptr);
  const int colours = GetDeviceCaps(screen, NUMCOLORS);
  ReleaseDC(nullptr, screen);
  TRptEngineSettings settings = InitReportUnits(WideToUtf8(measure), colours);
  settings.JapaneseLocale = PRIMARYLANGID(LANGIDFROMLCID(GetThreadLocale())) == LANG_JAPANESE;
  return settings;
}

TCardJourney::TCardJourney(const std::string& printPicture)
    : messages_([] { return TApplication::Instance().Handle(); }),
      Report1(reference_.Canvas(), SystemReportSettings(), ProgramPictureFormats(),
              BuiltInCardBackground),
      printing_(Report1, PrintingPlatform()),
      Form2({.Card = &Report1,
             .PrintPicture = printPicture,
             .BuiltIn = BuiltInCardBackground,
             .FileExists = FileExists,
             .PreviewOpen = [this] { return printing_.PreviewOpen(); }}) {}

TCardJourney::~TCardJourney() { reportWindow_.SetPrinting(nullptr); }

TRptPrintingPlatform TCardJourney::PrintingPlatform() {
  TRptPrintingPlatform platform;
  platform.MakeDevice = [] { return std::make_unique<TRptWin32PrinterDevice>(); };
  platform.Recorder = &recorder_;
  platform.Messages = &messages_;
  platform.ShowPreview = [](TRptPrinter& printer) { OpenRptPreview(printer); };
  platform.HandleOneMessage = [] { return HandleOneMessage(); };
  platform.ShowProgress = [](TRptPrinter& printer) {
    auto form = std::make_shared<TRptProgressForm>(printer);
    printer.SetNotifyTarget(form->NoticeTarget());
    form->Show();
    return std::shared_ptr<void>(form);
  };
  platform.PrintSetup = [this](TRptPrinter& printer, TCustomReport& report) {
    PrintSetup(printer, report);
  };
  return platform;
}

void TCardJourney::PrintSetup(TRptPrinter& printer, TCustomReport& report) {
  if (!sharedPrinter_) sharedPrinter_ = std::make_unique<TRptWin32PrinterDevice>();
  RunReportPrintSetup(report, &printer, *sharedPrinter_, TApplication::Instance().Handle());
}

void TCardJourney::Create() {
  reportWindow_.Create();
  reportWindow_.SetPrinting(&printing_);
  printing_.SetReportWindow(reportWindow_.Ref());
  printing_.Attach();
  Form2.Create();
}

}  // namespace ormind
