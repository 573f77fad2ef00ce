#include "comparer/key_hash.h"

#include <algorithm>

namespace fc {

void KeyHasher::Add(std::string_view piece) {
  const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
  size_t n = piece.size();
  if (length_ < kShort) {
    // A key is known to be long only once kShort bytes have come: until then they are kept,
    // and then mixed as a long key's first words.
    size_t take = std::min<size_t>(n, kShort - length_);
    std::memcpy(head_ + length_, p, take);
    length_ += take;
    p += take;
    n -= take;
    if (length_ < kShort) return;
    MixWords(head_, kShort);
  }
  length_ += n;
  MixWords(p, n);
}

// Mixes the next `n` bytes of a long key into the lanes, word by word.
void KeyHasher::MixWords(const unsigned char* p, size_t n) {
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
  uint64_t h = length_ < kShort ? OfShort(reinterpret_cast<const char*>(head_), length_)
                                : Final(lanes_, length_, word_, held_);
  length_ = 0;
  lanes_[0] = lanes_[1] = kSeed;
  words_ = 0;
  held_ = 0;
  return h;
}

}  // namespace fc
