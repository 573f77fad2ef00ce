// Finding where two files match again after a difference.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "fc/key_filter.h"
#include "fc/line_key.h"
#include "fc/line_window.h"
#include "fc/run_hash.h"
#include "fc/run_index.h"

namespace fc {

// A resync point, as distances from the block's start: file1 line a+i, file2 line b+j.
struct ResyncPoint {
  bool found = false;
  uint64_t i = 0;
  uint64_t j = 0;
};

// A level-by-level search of the pairs (i, j) in order of max(i, j), each side's runs of lines
// found among the other's through a hash index of run hashes, as a match finder finds repeats;
// keeps its index memory from one search to the next.
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
  void Start(uint64_t max_mismatch, uint64_t min_match);
  bool Reach(LineWindow& w, uint64_t count);
  void UpdateFilter(int side, const LineWindow& w, const LineWindow& other, uint64_t level);
  bool Indexed(int side, uint64_t pos) const {
    const std::vector<uint64_t>& bits = indexed_[side];
    return pos / 64 < bits.size() && (bits[pos / 64] >> (pos % 64) & 1) != 0;
  }
  void MarkIndexed(int side, uint64_t pos);
  uint64_t LastLevel(const LineWindow& a, const LineWindow& b) const;
  uint64_t SkipHopeless(const LineWindow& a, const LineWindow& b, uint64_t s);
  bool SearchLevel(LineWindow& a, LineWindow& b, uint64_t s);
  size_t AddRun(int side, uint32_t key, uint64_t s);
  bool TryRun(LineWindow& a, LineWindow& b, int side, uint64_t s, size_t slot);
  bool TryEnds(LineWindow& a, LineWindow& b);
  bool RunsMatch(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* match);
  bool HeldLinesEqual(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t count,
                      bool* equal);
  bool LinesPastWindowsEqual(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t count,
                             bool* equal);
  bool LinesEqual(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* equal);

  // The search under way: its counts, how much of a run the windows hold, the best point yet.
  uint64_t max_mismatch_ = 0;
  uint64_t min_match_ = 0;
  uint64_t held_ = 0;
  ResyncPoint best_;
  RunIndex index_;
  // For each side: the keys of its window's runs, and which of its runs are in the index, one
  // bit a position. A run whose key none of the other side's known runs has is kept out, and
  // gets its place when the other side's window grows by a run that may match it.
  KeyFilter filter_[2];
  std::vector<uint64_t> indexed_[2];
  // The hashes of each side's runs, level by level.
  RunHasher run_[2];
  KeyBuilder key_a_;
  KeyBuilder key_b_;
  // For runs read on past the windows: on the diagonal j - i, the last line of file1 (counted
  // from the block's start) up to which every run is known to fail.
  std::unordered_map<int64_t, uint64_t> failed_up_to_;
};

}  // namespace fc
