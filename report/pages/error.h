#pragma once
// The report engine's own failure: one message text, shown to the user as it is.
#include <stdexcept>
#include <string>

namespace ormind {

class ERptError : public std::runtime_error {
 public:
  explicit ERptError(const std::string& message) : std::runtime_error(message) {}
};

// A replacement that failed after the old file had gone: the new file, named in the message,
// is the only copy left, so it is kept where it is.
class ERptNewFileKept : public ERptError {
 public:
  using ERptError::ERptError;
};

// Every structural fault found in a report file is reported with this opening.
inline ERptError InvalidReportFile(const std::string& what) {
  return ERptError("Not a valid report file: " + what);
}

}  // namespace ormind
