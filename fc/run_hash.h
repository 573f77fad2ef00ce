// The hashes of the runs of lines that a resync search looks for.
#pragma once

#include <cstdint>

#include "fc/line_window.h"

namespace fc {

// A Rabin-Karp rolling hash of the runs of `len` lines of one window, position by position: a
// polynomial in the lines' hashes modulo 2^32, so that the hash of the run at the next position
// follows from the last one in constant time.
class RunHasher {
 public:
  // Starts over, for runs of `len` lines (at least 1).
  void Start(uint64_t len) {
    len_ = len;
    top_power_ = Power(kBase, len - 1);
    hash_ = 0;
    next_ = 0;
  }
  // The hash of the run at `pos`, whose lines the window holds and has hashed: rolled on from
  // the last one when that was at pos - 1, else made afresh. The same either way.
  uint32_t At(const LineWindow& w, uint64_t pos) {
    if (len_ == 1) return w.hash(pos);
    if (pos + 1 == next_) return hash_;
    if (pos != next_ || pos == 0) {
      hash_ = 0;
      for (uint64_t k = 0; k < len_; ++k) hash_ = hash_ * kBase + w.hash(pos + k);
    } else {
      hash_ = (hash_ - w.hash(pos - 1) * top_power_) * kBase + w.hash(pos - 1 + len_);
    }
    next_ = pos + 1;
    return hash_;
  }

 private:
  static constexpr uint32_t kBase = 0x01000193u;

  // `base` to the power `exp`, modulo 2^32, in O(log exp) steps: a run can be 10^8 lines long.
  static uint32_t Power(uint32_t base, uint64_t exp) {
    uint32_t result = 1;
    for (; exp > 0; exp >>= 1, base *= base)
      if (exp & 1) result *= base;
    return result;
  }

  uint64_t len_ = 1;
  uint32_t top_power_ = 1;  // kBase to the power len_ - 1
  uint32_t hash_ = 0;
  uint64_t next_ = 0;
};

}  // namespace fc
