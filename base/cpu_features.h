#pragma once
// Whether the processor running the program has AVX2, for the few loops over whole files that
// have a wider version beside the SSE2 one. Portable builds keep the SSE2 or plain loops.
#if defined(__SSE2__) && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define ORMIND_AVX2_LOOPS 1
#include <immintrin.h>

namespace ormind {

inline bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

}  // namespace ormind
#endif
