#pragma once
// The report engine's own failure: one message text, shown to the user as it is.
#include <stdexcept>
#include <string>

namespace ormind {

class ERptError : public std::runtime_error {
 public:
  explicit ERptError(const std::string& message) : std::runtime_error(message) {}
};

// Every structural fault found in a report file is reported with this opening.
inline ERptError InvalidReportFile(const std::string& what) {
  return ERptError("Not a valid report file: " + what);
}

}  // namespace ormind
