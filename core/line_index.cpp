#include "core/line_index.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ormind {

void LineIndex::Build(std::string_view text) {
  size_ = text.size();
  const size_t words = (size_ + 63) / 64;
  breaks_.assign(words, 0);
  equals_.assign(words, 0);
  const char* p = text.data();
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), eq = _mm_set1_epi8('=');
  for (; i + 16 <= size_; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const auto lines = static_cast<uint64_t>(static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)))));
    const auto signs =
        static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, eq))));
    breaks_[i >> 6] |= lines << (i & 63);
    equals_[i >> 6] |= signs << (i & 63);
  }
#endif
  for (; i < size_; ++i) {
    const uint64_t bit = uint64_t{1} << (i & 63);
    if (p[i] == '\n' || p[i] == '\r') breaks_[i >> 6] |= bit;
    if (p[i] == '=') equals_[i >> 6] |= bit;
  }
}

}  // namespace ormind
