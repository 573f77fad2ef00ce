#include "fc/key_filter.h"

#include <algorithm>

#include "fc/run_hash.h"

namespace fc {

void KeyFilter::Clear() {
  words_.assign(1, 0);
  covered_ = 0;
  valid_ = true;
}

bool KeyFilter::Update(const LineWindow& w, uint64_t len) {
  if (!valid_) return false;
  if (!w.all_hashed()) {
    valid_ = false;
    return true;
  }
  uint64_t runs = w.known() + 1 - std::min(w.known() + 1, len);
  if (runs <= covered_) return false;
  // Sixteen bits a run: about one key in fifty that no run has still passes. When the window
  // outgrows the bits, they are made enough for as many lines as it has room for (or, once its
  // file has ended, for the runs it holds), and taken again.
  if (words_.size() * 64 < 16 * runs) {
    uint64_t words = (16 * (w.ended() ? runs : std::max(runs, w.room())) + 63) / 64;
    words_.assign(words, 0);
    covered_ = 0;
  }
  RunHasher run;
  run.Start(len);
  for (uint64_t pos = covered_; pos < runs; ++pos) {
    uint64_t mix = Mix(run.At(w, pos));
    words_[Word(mix)] |= Bits(mix);
  }
  covered_ = runs;
  return true;
}

}  // namespace fc
