#pragma once
// The program's one error funnel: an error that escapes a message handler is shown in a message
// box titled "Ormind!" and the program carries on. Every window procedure dispatches through
// Guarded, so no exception crosses one.
#include <functional>
#include <string>

namespace ormind {

using ErrorReporter = std::function<void(const std::string& utf8Message)>;

// Shows the exception being handled (call inside a catch block). Never throws.
void ReportHandlerError() noexcept;

// Replaces the way errors are shown (the application picks the message box's owner; tests
// record them instead); returns the previous way. An empty reporter restores the plain message
// box owned by the active window.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Runs one handler; anything it throws goes to the funnel. False when it threw.
template <typename Handler>
bool Guarded(Handler&& handler) noexcept {
  try {
    handler();
    return true;
  } catch (...) {
    ReportHandlerError();
    return false;
  }
}

}  // namespace ormind
