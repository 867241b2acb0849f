#pragma once
// Which installed printer a page printer uses, from the printer list alone (names, no details),
// so that a preview opens whatever state the printers are in: no default printer, a default
// that is no longer installed, an index chosen in Printer setup that has since vanished.
#include <cstdint>
#include <string>
#include <vector>

namespace ormind {

// The position in `names` of the printer to use for `requested` (an index into the list; -1, or
// any negative: the default printer `defaultName`, empty when there is none). A requested printer that is not
// in the list, or a default that is not, falls back to the first printer listed; -1 when the
// list is empty.
int32_t ChoosePrinter(const std::vector<std::string>& names, int32_t requested,
                      const std::string& defaultName);

}  // namespace ormind
