#pragma once
// The application's error handler: an error that escapes an event handler is shown in a
// message box titled "Ormind!" and the program carries on. Window procedures call
// ReportHandlerError from a catch block so that no exception crosses them.
#include <functional>
#include <string>

namespace ormind {

using ErrorReporter = std::function<void(const std::string& utf8Message)>;

// Shows the exception being handled (call inside a catch block). Never throws.
void ReportHandlerError() noexcept;

// Replaces the way errors are shown (tests record them instead); returns the previous way.
// An empty reporter restores the message box.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

}  // namespace ormind
