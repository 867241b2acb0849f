// Ormind's program entry: the application object titled "Ormind!", the main window created
// and shown at once, then the message loop until the main window closes.
#include <windows.h>

#include <exception>

#include "ui/application.h"
#include "ui/main_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace ormind;
  TApplication& application = TApplication::Instance();
  try {
    application.Initialize(instance, L"Ormind!");
    TForm1 form1;
    application.SetMainForm(&form1);
    form1.Create();
    form1.Show();
    const int result = application.Run();
    application.SetMainForm(nullptr);
    return result;
  } catch (const std::exception& error) {
    application.ShowException(error);
  } catch (...) {
    application.ShowUnknownException();
  }
  return 1;
}
