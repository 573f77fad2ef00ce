#include "comparer/bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fc {

size_t FirstMismatch(const char* a, const char* b, size_t n) {
  // memcmp is the fastest way over long equal stretches; only the block that differs is
  // searched word by word and then byte by byte.
  constexpr size_t kBlock = 4096;
  size_t at = 0;
  while (at < n) {
    size_t len = n - at < kBlock ? n - at : kBlock;
    if (std::memcmp(a + at, b + at, len) != 0) break;
    at += len;
  }
  while (at + 8 <= n) {
    uint64_t x, y;
    std::memcpy(&x, a + at, 8);
    std::memcpy(&y, b + at, 8);
    if (x != y) break;
    at += 8;
  }
  while (at < n && a[at] == b[at]) ++at;
  return at;
}

size_t CountNewlines(const char* p, size_t n) {
  size_t count = 0;
  size_t at = 0;
#if defined(__SSE2__)
  // Each byte lane counts its line feeds, for at most 255 rounds so that it cannot overflow;
  // then the lanes are summed.
  const __m128i nl = _mm_set1_epi8('\n');
  const __m128i zero = _mm_setzero_si128();
  while (n - at >= 64) {
    __m128i lanes = zero;
    size_t rounds = std::min<size_t>((n - at) / 64, 63);
    for (size_t r = 0; r < rounds; ++r, at += 64) {
      for (size_t k = 0; k < 64; k += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at + k));
        lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(v, nl));
      }
    }
    __m128i sums = _mm_sad_epu8(lanes, zero);
    count += static_cast<size_t>(_mm_cvtsi128_si64(sums)) +
             static_cast<size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
  }
#endif
  for (; at < n; ++at) count += p[at] == '\n';
  return count;
}

const char* LastNewline(const char* p, size_t n) {
  return static_cast<const char*>(memrchr(p, '\n', n));
}

}  // namespace fc
