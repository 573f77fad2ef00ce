// Hashing keys: the hash of a key given in pieces, and the part of it that a line keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fc {

// A 64-bit hash of bytes given in pieces. Equal byte strings give equal hashes however they
// were cut: a short key is gathered whole before it is hashed, and a long one is mixed in whole
// 8-byte words.
class KeyHasher {
 public:
  // Keys shorter than this, most lines of a text, are hashed in one step of their own.
  static constexpr size_t kShort = 64;

  void Add(std::string_view piece);
  // The hash of everything added since the last Finish; starts over.
  uint64_t Finish();
  // The hash of `key` given whole: the same as Add(key) and then Finish(). Inline, since the
  // resync search hashes every line of a window this way.
  static uint64_t Of(std::string_view key) {
    if (key.size() < kShort) {
      unsigned char padded[kShort] = {};
      std::memcpy(padded, key.data(), key.size());
      return OfShort(reinterpret_cast<const char*>(padded), key.size());
    }
    const auto* p = reinterpret_cast<const unsigned char*>(key.data());
    size_t n = key.size();
    // Even words go to one lane and odd ones to the other: two chains of multiplications that
    // the processor runs side by side.
    uint64_t lanes[2] = {kSeed, kSeed};
    for (; n >= 16; p += 16, n -= 16) {
      lanes[0] = Mixed(lanes[0], LoadWord(p));
      lanes[1] = Mixed(lanes[1], LoadWord(p + 8));
    }
    if (n >= 8) {
      lanes[0] = Mixed(lanes[0], LoadWord(p));
      p += 8;
      n -= 8;
    }
    return Final(lanes, key.size(), p, n);
  }
  // The hash of the key of `n` bytes at `p`, n < kShort, with kShort bytes readable at `p`
  // (those past the key are left out): the same as Of. The key, taken as kShort bytes with
  // zeros after it, is multiplied in four independent 16-byte blocks, in the same steps
  // whatever its length: the lengths of a file's lines vary at random, and a branch on them,
  // mispredicted, or a chain of multiplications as long as the key, costs more than the
  // hashing itself.
  static uint64_t OfShort(const char* p, size_t n) {
    uint64_t sum = 0;
#if defined(__SSE2__)
    // Each block keeps the bytes whose index in the key is below n (both below 128, so signed
    // bytes compare).
    const __m128i limit = _mm_set1_epi8(static_cast<char>(n));
    const __m128i step = _mm_set1_epi8(16);
    __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    for (size_t k = 0; k < kShort / 16; ++k) {
      __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
      v = _mm_and_si128(v, _mm_cmplt_epi8(index, limit));
      index = _mm_add_epi8(index, step);
      auto low = static_cast<uint64_t>(_mm_cvtsi128_si64(v));
      auto high = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(v, v)));
      sum += Folded(low ^ kSecrets[2 * k], high ^ kSecrets[2 * k + 1]);
    }
#else
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    for (size_t k = 0; k < kShort / 16; ++k) {
      uint64_t words[2] = {0, 0};
      for (size_t b = 0; b < 16; ++b)
        if (16 * k + b < n) words[b / 8] |= uint64_t{u[16 * k + b]} << (8 * (b % 8));
      sum += Folded(words[0] ^ kSecrets[2 * k], words[1] ^ kSecrets[2 * k + 1]);
    }
#endif
    return Folded(sum ^ kSeed, n ^ kMul);
  }

 private:
  static constexpr uint64_t kSeed = 0x243F6A8885A308D3ull;
  static constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;
  // One pair for each 16-byte block of a short key, so that the same bytes count differently
  // in different blocks.
  static constexpr uint64_t kSecrets[kShort / 8] = {
      0xA0761D6478BD642Full, 0xE7037ED1A0B428DBull, 0x8EBC6AF09C88C6E3ull, 0x589965CC75374CC3ull,
      0x1D8E4E27C47D124Full, 0x452821E638D01377ull, 0xBE5466CF34E90C6Cull, 0xC0AC29B7C97C50DDull};

  static uint64_t LoadWord(const unsigned char* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
  }
  static uint64_t Mixed(uint64_t state, uint64_t word) {
    state = (state ^ word) * kMul;
    return state ^ (state >> 29);
  }
  // The 128-bit product of `a` and `b`, its two halves folded into one.
  static uint64_t Folded(uint64_t a, uint64_t b) {
    unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<uint64_t>(product) ^ static_cast<uint64_t>(product >> 64);
  }
  // The `n` bytes at `p` (n < 8) as one number, read in at most two loads.
  static uint64_t TailWord(const unsigned char* p, size_t n) {
    if (n >= 4) {
      uint32_t low, high;
      std::memcpy(&low, p, 4);
      std::memcpy(&high, p + n - 4, 4);
      return low | static_cast<uint64_t>(high) << (8 * (n - 4));
    }
    if (n == 0) return 0;
    return p[0] | static_cast<uint64_t>(p[n / 2]) << (8 * (n / 2)) |
           static_cast<uint64_t>(p[n - 1]) << (8 * (n - 1));
  }
  // The hash of a whole long key from the states of its two lanes, its length and its last
  // bytes.
  static uint64_t Final(const uint64_t* lanes, uint64_t length, const unsigned char* tail,
                        size_t n) {
    uint64_t h =
        (lanes[0] ^ (lanes[1] << 31 | lanes[1] >> 33) ^ (length * kMul) ^ TailWord(tail, n)) * kMul;
    // Final avalanche (the finaliser of MurmurHash3), so that every input bit reaches every
    // output bit.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
  }
  void MixWords(const unsigned char* p, size_t n);

  unsigned char head_[kShort] = {};     // the first bytes of the key
  uint64_t length_ = 0;                 // bytes added
  uint64_t lanes_[2] = {kSeed, kSeed};  // even words are mixed into one, odd into the other
  uint64_t words_ = 0;                  // whole words mixed in
  unsigned char word_[8] = {};          // the bytes of an unfinished word
  size_t held_ = 0;
};

// The 32 bits of a key's hash that the resync search keeps for a line. They are plenty: equal
// hashes only ever pick candidates, which are then compared exactly, and the smaller window
// lets /LB reach far with little memory.
inline uint32_t LineHash(uint64_t hash) {
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

}  // namespace fc
