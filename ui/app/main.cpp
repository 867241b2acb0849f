// Ormind's program entry: the application object titled "Ormind!", the main window created
// and shown at once, then the message loop until the main window closes.
#include <windows.h>
#include <objbase.h>

#include <exception>
#include <stdexcept>

#include "ui/app/application.h"
#include "platform/handler_errors.h"
#include "ui/main/main_form.h"
#include "ui/app/single_instance.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace ormind;
  // A second start shows the running copy's main window instead of adding a second icon.
  SingleInstance running(L"Local\\Ormind.Running");
  // A copy that has no tray window any more is on its way out: start normally then.
  if (running.OtherIsRunning() && AskRunningCopyToShow()) return 0;
  // The shell may open a file through a component: it needs this thread's apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  TApplication& application = TApplication::Instance();
  // Errors escaping any window's handlers reach the application's message box.
  SetErrorReporter([&application](const std::string& message) {
    application.ShowException(std::runtime_error(message));
  });
  try {
    application.Initialize(instance, L"Ormind!");
    TForm1 form1;
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
    form1.ShowTrayIcon();
    return application.Run();
  } catch (...) {
    ReportHandlerError();
  }
  return 1;
}
