#include "platform/handler_errors.h"

#include <windows.h>

#include <exception>

#include "platform/message_box_sink.h"

namespace ormind {
namespace {

ErrorReporter& CurrentReporter() {
  static ErrorReporter reporter;
  return reporter;
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
      ShowMessageBox(GetActiveWindow(), message);
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
