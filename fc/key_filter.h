// Which keys of runs one side of a resync search can hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fc/line_window.h"

namespace fc {

// A blocked Bloom filter of the keys of the runs that one side's window holds, two bits a key
// in one 64-bit word: a run of the other side whose key it rejects matches none of them, and a
// key it holds is never rejected. The bits stand for the runs only while every line of the
// window is hashed; a key still unknown makes the filter pass everything from then on.
class KeyFilter {
 public:
  // Starts over with no runs.
  void Clear();
  // Takes the keys of the window's runs of `len` lines that are new since the last call, and
  // returns whether that changed what MayHold says.
  bool Update(const LineWindow& w, uint64_t len);
  // Whether the window holds a run whose key is `key`: false only when none has it.
  bool MayHold(uint32_t key) const {
    uint64_t mix = Mix(key);
    uint64_t bits = Bits(mix);
    return !valid_ || (words_[Word(mix)] & bits) == bits;
  }

 private:
  // Each key sets two bits of one word: one look into memory, and far fewer keys that no run
  // has pass than with one bit.
  static uint64_t Mix(uint32_t key) { return key * 0x9E3779B97F4A7C15ull; }
  // The word of a key: its top 32 bits scaled to the number of words, which need not be a
  // power of two.
  size_t Word(uint64_t mix) const {
    return static_cast<size_t>(((mix >> 32) * words_.size()) >> 32);
  }
  static uint64_t Bits(uint64_t mix) {
    return uint64_t{1} << (mix & 63) | uint64_t{1} << ((mix >> 6) & 63);
  }

  std::vector<uint64_t> words_ = std::vector<uint64_t>(1, 0);
  uint64_t covered_ = 0;  // the runs taken, from position 0 on
  bool valid_ = true;
};

}  // namespace fc
