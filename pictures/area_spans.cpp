#include "pictures/area_spans.h"

#include <algorithm>

namespace ormind {

size_t AreaSpans::Widest() const {
  size_t widest = 1;
  for (size_t t = 0; t + 1 < offset.size(); ++t) widest = std::max(widest, offset[t + 1] - offset[t]);
  return widest;
}

AreaSpans AreaSpansOf(int source, int target) {
  AreaSpans spans;
  spans.first.resize(target);
  spans.offset.resize(static_cast<size_t>(target) + 1);
  for (int t = 0; t < target; ++t) {
    const int64_t begin = static_cast<int64_t>(t) * source, end = begin + source;
    spans.first[t] = static_cast<int>(begin / target);
    spans.offset[t] = spans.weights.size();
    for (int64_t s = spans.first[t]; s * target < end; ++s) {
      const int64_t overlap = std::min(end, (s + 1) * target) - std::max(begin, s * target);
      spans.weights.push_back(static_cast<uint32_t>(overlap));
    }
  }
  spans.offset[target] = spans.weights.size();
  return spans;
}

}  // namespace ormind
