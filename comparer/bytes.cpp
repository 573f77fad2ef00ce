#include "comparer/bytes.h"

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
  const __m128i nl = _mm_set1_epi8('\n');
  for (; at + 16 <= n; at += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    count += static_cast<size_t>(
        __builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, nl)))));
  }
#endif
  for (; at < n; ++at) count += p[at] == '\n';
  return count;
}

const char* LastNewline(const char* p, size_t n) {
  while (n > 0) {
    if (p[n - 1] == '\n') return p + n - 1;
    --n;
  }
  return nullptr;
}

}  // namespace fc
