// Hashing keys: the hash of a key given in pieces, and the part of it that a line keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace fc {

// A 64-bit hash of bytes given in pieces. Equal byte strings give equal hashes however they
// were cut, because the bytes are mixed in whole 8-byte words.
class KeyHasher {
 public:
  void Add(std::string_view piece);
  // The hash of everything added since the last Finish; starts over.
  uint64_t Finish();
  // The hash of `key` given whole: the same as Add(key) and then Finish(). Inline, since the
  // resync search hashes every line of a window this way.
  static uint64_t Of(std::string_view key) {
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
  // The same hash as Of(std::string_view(p, n)) for a key shorter than kShort bytes, with
  // kShort bytes readable at `p` (those past the key are left out). It takes the same steps
  // whatever the length, with no branch on it: the lengths of a file's lines vary at random,
  // and a mispredicted branch costs more than hashing a short key.
  static constexpr size_t kShort = 64;
  static uint64_t OfShort(const char* p, size_t n) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    uint64_t words = n / 8;
    uint64_t lanes[2] = {kSeed, kSeed};
    for (uint64_t k = 0; k < kShort / 8; ++k) {
      uint64_t mixed = Mixed(lanes[k & 1], LoadWord(u + 8 * k));
      uint64_t take = 0 - static_cast<uint64_t>(k < words);  // all ones for a word of the key
      lanes[k & 1] = (mixed & take) | (lanes[k & 1] & ~take);
    }
    // The bytes after the last whole word, as TailWord reads them; a key that ends with a whole
    // word loads the next one and keeps none of it.
    uint64_t tail = LoadWord(u + 8 * words) & (~uint64_t{0} >> (63 - 8 * (n % 8)) >> 1);
    return Finished(lanes, n, tail);
  }

 private:
  static constexpr uint64_t kSeed = 0x243F6A8885A308D3ull;
  static constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;

  static uint64_t LoadWord(const unsigned char* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
  }
  static uint64_t Mixed(uint64_t state, uint64_t word) {
    state = (state ^ word) * kMul;
    return state ^ (state >> 29);
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
  // The hash of a whole key from the states of its two lanes, its length and its last bytes.
  static uint64_t Final(const uint64_t* lanes, uint64_t length, const unsigned char* tail,
                        size_t n) {
    return Finished(lanes, length, TailWord(tail, n));
  }
  // The same, with the last bytes as one number.
  static uint64_t Finished(const uint64_t* lanes, uint64_t length, uint64_t tail) {
    uint64_t h = (lanes[0] ^ (lanes[1] << 31 | lanes[1] >> 33) ^ (length * kMul) ^ tail) * kMul;
    // Final avalanche (the finaliser of MurmurHash3), so that every input bit reaches every
    // output bit.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
  }

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
