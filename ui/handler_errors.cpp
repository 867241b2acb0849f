#include "ui/handler_errors.h"

#include <windows.h>

#include <exception>

#include "ui/wide_text.h"

namespace ormind {
namespace {

ErrorReporter& CurrentReporter() {
  static ErrorReporter reporter;
  return reporter;
}

void ShowMessageBox(const std::string& message) {
  MessageBoxW(GetActiveWindow(), Widen(message).c_str(), L"Ormind!", MB_OK | MB_ICONERROR);
}

std::string CurrentMessage() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace

void ReportHandlerError() noexcept {
  try {
    const std::string message = CurrentMessage();
    if (const ErrorReporter reporter = CurrentReporter())
      reporter(message);
    else
      ShowMessageBox(message);
  } catch (...) {
    // Showing the error failed too: nothing more can be done, and the program goes on.
  }
}

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  ErrorReporter previous = std::move(CurrentReporter());
  CurrentReporter() = std::move(reporter);
  return previous;
}

}  // namespace ormind
