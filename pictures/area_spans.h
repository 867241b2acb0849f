#pragma once
// How the pixels of one axis fall into a smaller number of new pixels when a picture is drawn
// down by averaging areas. Positions are counted in steps of 1 / (source * target): a source
// pixel spans `target` steps, a new pixel `source` steps, so every overlap is a whole number
// and the weights of a new pixel add up to `source`. New pixel t takes the weights
// weights[offset[t] .. offset[t + 1]) from source pixel first[t] on.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ormind {

struct AreaSpans {
  std::vector<int> first;
  std::vector<size_t> offset;
  std::vector<uint32_t> weights;

  // The most source pixels any one new pixel covers.
  size_t Widest() const;
};

// `target` at least 1 and at most `source`.
AreaSpans AreaSpansOf(int source, int target);

}  // namespace ormind
