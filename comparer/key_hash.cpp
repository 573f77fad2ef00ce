#include "comparer/key_hash.h"

#include <cstring>

namespace fc {
namespace {

constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;

uint64_t LoadWord(const unsigned char* p) {
  uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

}  // namespace

void KeyHasher::Mix(uint64_t word) {
  state_ = (state_ ^ word) * kMul;
  state_ ^= state_ >> 29;
}

void KeyHasher::Add(std::string_view piece) {
  const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
  size_t n = piece.size();
  length_ += n;
  if (held_ > 0) {
    while (n > 0 && held_ < 8) {
      word_[held_++] = *p++;
      --n;
    }
    if (held_ < 8) return;
    Mix(LoadWord(word_));
    held_ = 0;
  }
  for (; n >= 8; p += 8, n -= 8) Mix(LoadWord(p));
  for (; n > 0; --n) word_[held_++] = *p++;
}

uint64_t KeyHasher::Finish() {
  uint64_t tail = 0;
  for (size_t k = 0; k < held_; ++k) tail |= static_cast<uint64_t>(word_[k]) << (8 * k);
  uint64_t h = (state_ ^ (length_ * kMul) ^ tail) * kMul;
  // Final avalanche (the finaliser of MurmurHash3), so that every input bit reaches every
  // output bit.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  state_ = kSeed;
  length_ = 0;
  held_ = 0;
  return h;
}

}  // namespace fc
