// Finding where two files match again after a difference.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "comparer/line_window.h"

namespace fc {

// A resync point, as distances from the block's start: file1 line a+i, file2 line b+j.
struct ResyncPoint {
  bool found = false;
  uint64_t i = 0;
  uint64_t j = 0;
};

// The positions of the runs seen so far on one side, found by the hash of a run. Positions are
// 32-bit: a window of four billion lines would need far more memory than the index saves.
class RunIndex {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;
  // Forgets every position, keeping the memory for the next search.
  void Clear();
  // Adds the next position (0, 1, 2, ...) under `key`.
  void Add(uint32_t key);
  // The lowest position added under `key`, or kNone; Next() gives the following ones in order.
  uint32_t First(uint32_t key) const;
  uint32_t Next(uint32_t pos) const { return next_[pos]; }

 private:
  size_t Slot(uint32_t key) const;
  void Grow();

  std::vector<uint32_t> keys_;   // the key of each position
  std::vector<uint32_t> next_;   // the next position with the same key
  std::vector<uint32_t> last_;   // at a chain's first position: the chain's last position
  std::vector<uint32_t> slots_;  // open addressing: a chain's first position, or kNone
  size_t chains_ = 0;
};

// Searches for the resync point; keeps its index memory from one search to the next.
class ResyncSearch {
 public:
  explicit ResyncSearch(const KeyOptions& options) : key_a_(options), key_b_(options) {}

  // From the first difference at the start of both windows (their first lines, where both
  // have one, are known to differ), finds the point (i, j) with
  // i, j <= max_mismatch where the next min_match lines are equal pairwise, or where both files
  // end within that many lines with every remaining line equal; the smallest i + j wins, then
  // the smallest i. Sets point->found = false when there is none. Returns false after a read
  // error, which the windows' inputs then hold.
  //
  // The windows hold at most max_mismatch + min(min_match, max_mismatch) lines: a longer run
  // is looked for by its first max_mismatch lines and the rest of it is read on in the files,
  // so that memory stays bounded by /LB whatever the count.
  bool Find(LineWindow& a, LineWindow& b, uint64_t max_mismatch, uint64_t min_match,
            ResyncPoint* point);

 private:
  bool Same(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* same);
  bool SameRun(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t len, bool* same);
  bool RunGoesOn(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t count, bool* same);
  bool AtEnd(InputBuffer& input, uint64_t pos, bool* end);
  bool Tail(LineWindow& a, LineWindow& b, uint64_t max_mismatch, uint64_t min_match,
            ResyncPoint* best);

  RunIndex index_a_;
  RunIndex index_b_;
  KeyBuilder key_a_;
  KeyBuilder key_b_;
  // For runs read on past the windows: on the diagonal j - i, the last line of file1 (counted
  // from the block's start) up to which every run is known to fail.
  std::unordered_map<int64_t, uint64_t> failed_up_to_;
};

}  // namespace fc
