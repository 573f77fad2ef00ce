#include "fc/bytes.h"

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

namespace {

#if defined(__SSE2__)
// One bit for each of the 64 bytes at `p` that is `c`.
uint64_t Matches64(const char* p, char c) {
  const __m128i v = _mm_set1_epi8(c);
  uint64_t bits = 0;
  for (int k = 0; k < 4; ++k) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    bits |= uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, v)))}
            << (16 * k);
  }
  return bits;
}
#endif

}  // namespace

size_t FindLineEnds(const char* p, size_t n, uint32_t* ends, size_t max) {
  size_t found = 0, at = 0;
  bool tab = false;  // whether a tab has come since the last line feed
  while (found < max) {
#if defined(__SSE2__)
    // Blocks of 64 bytes that hold line feeds, taken from a bit mask one by one: lines of a few
    // dozen bytes cost far less this way than a call to memchr each. A block without one is
    // left to memchr, which goes over a long line faster.
    for (; at + 64 <= n && found < max; at += 64) {
      uint64_t lfs = Matches64(p + at, '\n');
      if (lfs == 0) break;
      uint64_t tabs = Matches64(p + at, '\t');
      for (; lfs != 0 && found < max; lfs &= lfs - 1) {
        auto bit = static_cast<unsigned>(__builtin_ctzll(lfs));
        uint64_t upto = (uint64_t{2} << bit) - 1;  // the bits up to the line feed's, even at 63
        tab = tab || (tabs & upto) != 0;
        ends[found++] = static_cast<uint32_t>(at + bit) | (tab ? kTabBefore : 0);
        tab = false;
        tabs &= ~upto;
      }
      tab = tab || tabs != 0;
    }
    if (found == max) break;
#endif
    const auto* lf = static_cast<const char*>(std::memchr(p + at, '\n', n - at));
    if (lf == nullptr) break;
    auto end = static_cast<size_t>(lf - p);
    tab = tab || std::memchr(p + at, '\t', end - at) != nullptr;
    ends[found++] = static_cast<uint32_t>(end) | (tab ? kTabBefore : 0);
    tab = false;
    at = end + 1;
  }
  return found;
}

size_t NarrowAscii16(const char* p, size_t n, bool big_endian, char* out) {
  size_t k = 0;
#if defined(__SSE2__)
  // Sixteen units at a time: a text that is mostly ASCII is then narrowed at the speed of a
  // copy, several times faster than a converter takes it unit by unit.
  const __m128i not_ascii = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  for (; k + 16 <= n; k += 16) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * k));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * k + 16));
    if (big_endian) {
      a = _mm_or_si128(_mm_slli_epi16(a, 8), _mm_srli_epi16(a, 8));
      b = _mm_or_si128(_mm_slli_epi16(b, 8), _mm_srli_epi16(b, 8));
    }
    __m128i high = _mm_and_si128(_mm_or_si128(a, b), not_ascii);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, zero)) != 0xFFFF) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_packus_epi16(a, b));
  }
#endif
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  const size_t low = big_endian ? 1 : 0;
  for (; k < n && u[2 * k + 1 - low] == 0 && u[2 * k + low] < 0x80; ++k)
    out[k] = static_cast<char>(u[2 * k + low]);
  return k;
}

size_t NarrowAscii32(const char* p, size_t n, bool big_endian, char* out) {
  size_t k = 0;
#if defined(__SSE2__)
  // Sixteen units at a time, as for UTF-16. Read as a little-endian number, a unit that holds
  // ASCII has only its low seven bits set, or, when it is big-endian, the low seven of its top
  // byte.
  const __m128i not_ascii =
      _mm_set1_epi32(static_cast<int>(big_endian ? 0x80FFFFFFu : 0xFFFFFF80u));
  const __m128i zero = _mm_setzero_si128();
  for (; k + 16 <= n; k += 16) {
    __m128i v[4], any = zero;
    for (int q = 0; q < 4; ++q) {
      v[q] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4 * k + 16 * q));
      any = _mm_or_si128(any, v[q]);
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(any, not_ascii), zero)) != 0xFFFF) break;
    if (big_endian)
      for (__m128i& unit : v) unit = _mm_srli_epi32(unit, 24);
    __m128i low = _mm_packs_epi32(v[0], v[1]), high = _mm_packs_epi32(v[2], v[3]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_packus_epi16(low, high));
  }
#endif
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  for (; k < n; ++k) {
    const unsigned char* unit = u + 4 * k;
    uint32_t value = 0;
    for (int b = 0; b < 4; ++b) value = value << 8 | unit[big_endian ? b : 3 - b];
    if (value >= 0x80) break;
    out[k] = static_cast<char>(value);
  }
  return k;
}

}  // namespace fc
