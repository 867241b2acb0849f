#include "report/printer/printer_choice.h"

#include <algorithm>

namespace ormind {

int32_t ChoosePrinter(const std::vector<std::string>& names, int32_t requested,
                      const std::string& defaultName) {
  if (names.empty()) return -1;
  const auto count = static_cast<int32_t>(names.size());
  if (requested >= 0) return requested < count ? requested : 0;
  const auto found = std::find(names.begin(), names.end(), defaultName);
  if (defaultName.empty() || found == names.end()) return 0;
  return static_cast<int32_t>(found - names.begin());
}

}  // namespace ormind
