#pragma once
// Whether the processor running the program has AVX2, for the few loops over whole files that
// have a wider version beside the SSE2 one. Portable builds keep the SSE2 or plain loops.
//
// The widest loops may also be narrowed at run time, so that tests and fuzzers can hold the
// vector paths against the plain byte loops on the same input.
#if defined(__SSE2__) && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define ORMIND_AVX2_LOOPS 1
#include <immintrin.h>
#endif

namespace ormind {

enum class VectorLoops { Plain, Sse2, Avx2 };  // narrowest first

namespace detail {
inline VectorLoops widestAllowedLoops = VectorLoops::Avx2;
}

// Loops wider than `widest` are not used from now on (VectorLoops::Avx2: all that exist).
inline void LimitVectorLoops(VectorLoops widest) { detail::widestAllowedLoops = widest; }
inline bool VectorLoopsAllowed(VectorLoops loops) { return loops <= detail::widestAllowedLoops; }

#if defined(ORMIND_AVX2_LOOPS)
inline bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has && VectorLoopsAllowed(VectorLoops::Avx2);
}
#endif

}  // namespace ormind
