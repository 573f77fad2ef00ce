#include "comparer/key_hash.h"

namespace fc {

void KeyHasher::Add(std::string_view piece) {
  const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
  size_t n = piece.size();
  if (held_ > 0) {
    while (n > 0 && held_ < 8) {
      word_[held_++] = *p++;
      --n;
    }
    if (held_ < 8) return;
    lanes_[words_ & 1] = Mixed(lanes_[words_ & 1], LoadWord(word_));
    ++words_;
    held_ = 0;
  }
  for (; n >= 8; p += 8, n -= 8, ++words_)
    lanes_[words_ & 1] = Mixed(lanes_[words_ & 1], LoadWord(p));
  for (; n > 0; --n) word_[held_++] = *p++;
}

uint64_t KeyHasher::Finish() {
  uint64_t h = Final(lanes_, words_ * 8 + held_, word_, held_);
  lanes_[0] = lanes_[1] = kSeed;
  words_ = 0;
  held_ = 0;
  return h;
}

}  // namespace fc
