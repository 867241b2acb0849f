#pragma once
// The error every picture reader raises: a bad file, an unknown format or a truncated stored
// picture. Its message is shown to the user as it is.
#include <stdexcept>
#include <string>

namespace ormind {

class PictureError : public std::runtime_error {
 public:
  explicit PictureError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace ormind
