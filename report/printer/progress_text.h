#pragma once
// What the progress window shows for a progress value.
#include <cstdint>
#include <optional>
#include <string>

namespace ormind {

// The Info text for `percent`: shown only on multiples of 5 ("40%  Completed"; the two blanks
// are the "% " and " Completed" pieces joined); none for other values.
inline std::optional<std::string> ProgressInfoText(int32_t percent) {
  if (percent % 5 != 0) return std::nullopt;
  return std::to_string(percent) + "% " + " Completed";
}

}  // namespace ormind
