#pragma once
// Files in the older layout, for tests: the 124-byte header came before the 128-byte one, so
// every record sits 4 bytes lower and every offset in the chain is 4 less.
#include <cstdint>
#include <vector>

#include "report/pages/bytes.h"

namespace ormind::testing {

// `header` (124 bytes, filled in by the caller) followed by the records of `current`, a file in
// the current layout, with their forward and back offsets moved down by 4.
inline std::vector<uint8_t> UnderOlderHeader(std::vector<uint8_t> header,
                                             const std::vector<uint8_t>& current) {
  std::vector<uint8_t> old = std::move(header);
  old.insert(old.end(), current.begin() + 128, current.end());
  for (int32_t at = 124; at < int32_t(old.size());) {
    const int32_t next = GetI32(&old[at + 4]) - 4;
    PutI32(&old[at + 4], next);
    PutI32(&old[next - 4], at);
    at = next;
  }
  return old;
}

}  // namespace ormind::testing
