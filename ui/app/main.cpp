// Ormind's program entry, and the one place where the program's parts are made and wired: the
// application object titled "Ormind!", the system's services, the main window created and shown
// at once, the greeting card with its editor, the preview's owner, then the message loop until
// the main window closes. Started with a report file (what opening a saved report from the
// desktop runs), it shows that file alone in the print preview instead: no main window, no tray
// icon, no hand-over to a running copy.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

#include "ui/app/application.h"
#include "platform/display_dpi.h"
#include "platform/handler_errors.h"
#include "platform/handles.h"
#include "platform/system_services.h"
#include "platform/text_encoding.h"
#include "report/pages/file_system.h"
#include "report/win32/preview/preview_interface.h"
#include "report/win32/preview/preview_run.h"
#include "report/win32/emf_recorder.h"
#include "report/win32/win32_printer_device.h"
#include "card/win32/card_journey.h"
#include "ui/main/main_form.h"
#include "ui/app/single_instance.h"
#include "ui/tray/day_notifier.h"

namespace {

// The first argument after the program's own name, if any.
std::optional<std::string> ReportFileArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const ormind::LocalMemory owned(arguments);
  std::optional<std::string> file;
  if (arguments != nullptr && count >= 2) file = ormind::WideToUtf8(arguments[1]);
  return file;
}

int ShowReportFile(ormind::TApplication& application, HINSTANCE instance, const std::string& path) {
  using namespace ormind;
  DeclareDpiAwareness();
  application.Initialize(instance, L"Ormind!");
  // The preview is the program's only window here: unowned, it has a taskbar button of its
  // own and minimises to it (the hidden window is never shown in this mode).
  SetRptPreviewOwner(nullptr);
  TRptEmfRecorder pages;
  return ShowReportFileAlone(path, std::make_unique<TRptWin32PrinterDevice>(), pages);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace ormind;
  DeclareDpiAwareness();
  // The shell and the picture loaders use components: they need this thread's apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // Page streams of runs that ended without closing them (older versions, a crash); a running
  // copy's stream is open and stays.
  SweepStaleSpillFiles();
  TApplication application;
  // Errors escaping any window's handlers reach the application's message box.
  SetErrorReporter([&application](const std::string& message) {
    application.ShowException(std::runtime_error(message));
  });
  if (const std::optional<std::string> report = ReportFileArgument()) {
    try {
      return ShowReportFile(application, instance, *report);
    } catch (...) {
      ReportHandlerError();
    }
    return 1;
  }
  // A second start shows the running copy's main window instead of adding a second icon.
  SingleInstance running(L"Local\\Ormind.Running");
  // A copy that has no tray window any more is on its way out: start normally then.
  if (running.OtherIsRunning() && AskRunningCopyToShow()) return 0;
  try {
    application.Initialize(instance, L"Ormind!");
    SetRptPreviewOwner(application.Handle());
    SystemEnvironment environment;
    SystemClock clock;
    SystemFileSystem files;
    TForm1 form1(application.SkinHost(), {environment, clock, files});
    application.SetMainForm(&form1);
    // An error below destroys the form on its way to the handler: the application must not
    // ask it whether it is visible then.
    struct MainFormScope {
      TApplication& application;
      ~MainFormScope() { application.SetMainForm(nullptr); }
    } mainFormScope{application};
    form1.Create();
    // A new start while this copy closes runs on its own instead of asking this one to show.
    form1.onClosing = [&running] { running.Release(); };
    form1.Show();
    UpdateWindow(form1.Handle());
    // The greeting editor and the card page, created hidden after the main window.
    TCardJourney card(application.SkinHost(), form1.CurrentSettings().PrintPicture);
    card.Create();
    card.ApplyTexts(form1.Texts());
    form1.onLanguageApplied = [&card](const InterfaceTexts& texts) { card.ApplyTexts(texts); };
    form1.onPrintGreeting = [&card, &form1] { card.ShowEditor(form1.Handle()); };
    form1.ShowTrayIcon();
    // Today's notification, and the next day's whenever the date changes.
    TDayNotifier notifier(form1.TrayIcon1, form1.CurrentSettings(), clock, files, instance);
    notifier.Start();
    const int result = application.Run();
    form1.onLanguageApplied = nullptr;
    form1.onPrintGreeting = nullptr;
    return result;
  } catch (...) {
    ReportHandlerError();
  }
  return 1;
}
