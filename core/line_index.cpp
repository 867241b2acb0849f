#include "core/line_index.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/cpu_features.h"

namespace ormind {
namespace {

#if defined(ORMIND_AVX2_LOOPS)
// Thirty-two bytes at a time; returns where it stopped.
__attribute__((target("avx2"))) size_t MarkAvx2(const char* p, size_t size, uint64_t* breaks,
                                                 uint64_t* equals) {
  const __m256i lf = _mm256_set1_epi8('\n'), cr = _mm256_set1_epi8('\r');
  const __m256i eq = _mm256_set1_epi8('=');
  size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
    const auto lines = static_cast<uint64_t>(static_cast<uint32_t>(
        _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(v, lf), _mm256_cmpeq_epi8(v, cr)))));
    const auto signs = static_cast<uint64_t>(
        static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, eq))));
    breaks[i >> 6] |= lines << (i & 63);
    equals[i >> 6] |= signs << (i & 63);
  }
  return i;
}
#endif

}  // namespace

void LineIndex::Build(std::string_view text) {
  size_ = text.size();
  const size_t words = (size_ + 63) / 64;
  breaks_.assign(words, 0);
  equals_.assign(words, 0);
  const char* p = text.data();
  size_t i = 0;
#if defined(ORMIND_AVX2_LOOPS)
  if (HasAvx2()) i = MarkAvx2(p, size_, breaks_.data(), equals_.data());
#endif
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), eq = _mm_set1_epi8('=');
  const size_t sse2End = VectorLoopsAllowed(VectorLoops::Sse2) ? size_ : 0;
  for (; i + 16 <= sse2End; i += 16) {
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
