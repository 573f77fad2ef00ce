#include "fc/bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fc {
namespace {

unsigned Lowest(unsigned bits) {
  return static_cast<unsigned>(__builtin_ctz(bits));
}

#if defined(__SSE2__)
// One bit for each of the 16 bytes at `a` that differs from its twin at `b`.
unsigned DifferingBytes16(const char* a, const char* b) {
  __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
  __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
  return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) & 0xFFFF;
}
#endif

#if defined(__x86_64__)
__attribute__((target("avx2"))) __m256i Load32(const char* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// The leading units of NarrowAscii16 that come in whole steps of 32, for processors with AVX2:
// twice the units of a step of SSE2.
__attribute__((target("avx2"))) size_t NarrowAsciiAvx2(const char* p, size_t n, bool big_endian,
                                                       char* out) {
  const __m256i not_ascii = _mm256_set1_epi16(static_cast<short>(0xFF80));
  size_t k = 0;
  for (; k + 32 <= n; k += 32) {
    __m256i a = Load32(p + 2 * k), b = Load32(p + 2 * k + 32);
    if (big_endian) {
      a = _mm256_or_si256(_mm256_slli_epi16(a, 8), _mm256_srli_epi16(a, 8));
      b = _mm256_or_si256(_mm256_slli_epi16(b, 8), _mm256_srli_epi16(b, 8));
    }
    if (!_mm256_testz_si256(_mm256_or_si256(a, b), not_ascii)) break;
    // Packing works within each half of the registers: the quarters then come a0 b0 a1 b1.
    __m256i narrow = _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), narrow);
  }
  return k;
}

// FirstMismatchCounting in one pass over both inputs, 128 bytes a round, for processors with
// AVX2: the bytes are compared and their line feeds counted while they are in registers, which
// costs about what comparing them alone costs.
__attribute__((target("avx2"))) size_t FirstMismatchCountingAvx2(const char* a, const char* b,
                                                                 size_t n, uint64_t* newlines) {
  const __m256i nl = _mm256_set1_epi8('\n');
  size_t at = 0;
  uint64_t count = 0;
  bool differs = false;
  while (!differs && n - at >= 128) {
    // Each byte lane counts the line feeds of its place in four vectors a round: at most 63
    // rounds before the lanes are summed, so that none overflows.
    __m256i lanes = _mm256_setzero_si256();
    size_t rounds = std::min<size_t>((n - at) / 128, 63);
    for (size_t r = 0; r < rounds; ++r, at += 128) {
      __m256i a0 = Load32(a + at), a1 = Load32(a + at + 32), a2 = Load32(a + at + 64),
              a3 = Load32(a + at + 96);
      __m256i same = _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi8(a0, Load32(b + at)),
                                                       _mm256_cmpeq_epi8(a1, Load32(b + at + 32))),
                                      _mm256_and_si256(_mm256_cmpeq_epi8(a2, Load32(b + at + 64)),
                                                       _mm256_cmpeq_epi8(a3, Load32(b + at + 96))));
      if (_mm256_movemask_epi8(same) != -1) {
        differs = true;
        break;
      }
      lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(a0, nl));
      lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(a1, nl));
      lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(a2, nl));
      lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(a3, nl));
    }
    __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
    count += static_cast<uint64_t>(_mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) +
                                   _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3));
  }
  size_t same = at + FirstMismatch(a + at, b + at, n - at);
  *newlines += count + CountNewlines(a + at, same - at);
  return same;
}
#endif

}  // namespace

size_t FirstMismatch(const char* a, const char* b, size_t n) {
  size_t at = 0;
#if defined(__SSE2__)
  // A difference close by, as in a binary file with many changed bytes, is found in a few steps
  // of 16 bytes; memcmp, the fastest way over long equal stretches, takes over after them.
  for (; at + 16 <= n && at < 256; at += 16) {
    if (unsigned differ = DifferingBytes16(a + at, b + at)) return at + Lowest(differ);
  }
#endif
  constexpr size_t kBlock = 4096;
  while (at < n) {
    size_t len = n - at < kBlock ? n - at : kBlock;
    if (std::memcmp(a + at, b + at, len) != 0) break;
    at += len;
  }
  // Only the block that differs is searched step by step, and then byte by byte.
#if defined(__SSE2__)
  for (; at + 16 <= n; at += 16) {
    if (unsigned differ = DifferingBytes16(a + at, b + at)) return at + Lowest(differ);
  }
#endif
  while (at < n && a[at] == b[at]) ++at;
  return at;
}

size_t FirstMismatchCounting(const char* a, const char* b, size_t n, uint64_t* newlines) {
#if defined(__x86_64__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) return FirstMismatchCountingAvx2(a, b, n, newlines);
#endif
  size_t same = FirstMismatch(a, b, n);
  *newlines += CountNewlines(a, same);
  return same;
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
#if defined(__x86_64__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) k = NarrowAsciiAvx2(p, n, big_endian, out);
#endif
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
