// Finding where two files match again after a difference.
#pragma once

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "comparer/growing_array.h"
#include "comparer/line_window.h"
#include "comparer/zeroed_memory.h"

namespace fc {

// A resync point, as distances from the block's start: file1 line a+i, file2 line b+j.
struct ResyncPoint {
  bool found = false;
  uint64_t i = 0;
  uint64_t j = 0;
};

// The positions of the runs seen so far on both sides, found by the hash of a run. One table
// serves both sides, so that adding a run and finding the other side's runs with the same hash
// is one look. Positions are 32-bit: a window of four billion lines would need far more memory
// than the index saves.
class RunIndex {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;
  // Forgets every position.
  void Clear();
  // Makes room for two more keys, so that the slots that the next two Add calls return stay
  // where they are until the call after them.
  void MakeRoom() {
    if ((keys_ + 2) * 2 > size_) Resize(2 * size_);
  }
  // Adds position `pos` of `side` under `key`, after every position of that side added before;
  // returns the slot of that key.
  size_t Add(int side, uint32_t key, uint32_t pos);
  // The first entry of `side` under the key of `slot`, or kNone; Next() gives the following
  // ones, in the order they were added, and Position() the position of one.
  uint32_t First(size_t slot, int side) const { return slots_[slot].first[side]; }
  uint32_t Next(int side, uint32_t entry) const { return entries_[side][entry].next; }
  uint32_t Position(int side, uint32_t entry) const { return entries_[side][entry].pos; }

 private:
  struct Slot {
    uint32_t key;
    uint32_t first[2];  // the first entry of each side under `key`, or kNone
  };
  // A position added, in a chain of the entries of one side under one key. `last` is kept at a
  // chain's first entry only: where the chain ends, for the next one to be added.
  struct Entry {
    uint32_t pos;
    uint32_t next;
    uint32_t last;
  };
  // A slot's tag: 16 bits of its key, never 0, which marks a slot unused.
  static uint16_t Tag(uint32_t key) { return static_cast<uint16_t>(key >> 16) | (key >> 16 == 0); }
  void Resize(size_t size);
  size_t Place(uint32_t key) const;

  // Open addressing, half full at most. A look for a key goes through the slots' tags, which
  // take a seventh of the memory and so mostly stay in the processor's cache; the slot itself is
  // read only when its tag matches, which for a key not yet added is almost never.
  ZeroedMemory memory_;
  uint16_t* tags_ = nullptr;
  Slot* slots_ = nullptr;
  size_t size_ = 0;
  size_t keys_ = 0;
  // The entries of each side in the order they were added: as many as there are runs in the
  // index, side by side in memory, however far apart their positions lie.
  GrowingArray<Entry> entries_[2];
};

// The hashes of the runs of `len` lines of one side, position by position: a polynomial in the
// lines' hashes, so that the hash of the run at the next position follows from the last one in
// constant time.
class RunHasher {
 public:
  void Start(uint64_t len);
  // The hash of the run at `pos`: rolled on from the last one when that was at pos - 1.
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

  uint64_t len_ = 1;
  uint32_t top_power_ = 1;  // kBase to the power len_ - 1
  uint32_t hash_ = 0;
  uint64_t next_ = 0;
};

// The keys of the runs that one side's window holds, as bits: a run of the other side whose key
// is not among them matches none of them. The bits stand for the runs only while every line
// of the window is hashed; a key still unknown makes the filter pass everything from then on.
class KeyFilter {
 public:
  // Starts over with no runs.
  void Clear();
  // Takes the keys of the window's runs of `len` lines that are new since the last call, and
  // returns whether that changed what MayHold says.
  bool Cover(const LineWindow& w, uint64_t len);
  // Whether the window holds a run whose key is `key`: false only when none has it.
  bool MayHold(uint32_t key) const {
    uint64_t mix = Mix(key);
    uint64_t bits = Bits(mix);
    return !valid_ || (words_[Word(mix)] & bits) == bits;
  }
  // Whether every run of the window is known by its key.
  bool valid() const { return valid_; }

 private:
  // Each key sets two bits of one word: one look into memory, and far fewer keys that no run
  // has pass than with one bit.
  static uint64_t Mix(uint32_t key) { return key * 0x9E3779B97F4A7C15ull; }
  // The word of a key: its top 32 bits scaled to the number of words, which need not be a
  // power of two.
  size_t Word(uint64_t mix) const { return static_cast<size_t>(((mix >> 32) * count_) >> 32); }
  static uint64_t Bits(uint64_t mix) {
    return uint64_t{1} << (mix & 63) | uint64_t{1} << ((mix >> 6) & 63);
  }

  std::vector<uint64_t> words_;
  uint64_t count_ = 1;    // words_.size(), kept for Word()
  uint64_t covered_ = 0;  // the runs taken, from position 0 on
  bool valid_ = true;
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
  bool Reach(LineWindow& w, uint64_t count);
  void Cover(const LineWindow& w, int side, const LineWindow& other, uint64_t level);
  bool Indexed(int side, uint64_t pos) const {
    const std::vector<uint64_t>& bits = indexed_[side];
    return pos / 64 < bits.size() && (bits[pos / 64] >> (pos % 64) & 1) != 0;
  }
  void MarkIndexed(int side, uint64_t pos);
  uint64_t LastLevel(const LineWindow& a, const LineWindow& b) const;
  uint64_t SkipHopeless(const LineWindow& a, const LineWindow& b, uint64_t s);
  bool SearchLevel(LineWindow& a, LineWindow& b, uint64_t s);
  size_t AddRun(int side, uint32_t key, uint64_t s);
  bool TryLevel(LineWindow& a, LineWindow& b, uint64_t s, size_t slot_a, size_t slot_b);
  bool Matches(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* same);
  bool Same(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* same);
  bool SameRun(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t len, bool* same);
  bool RunGoesOn(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t count, bool* same);
  bool AtEnd(InputBuffer& input, uint64_t pos, bool* end);
  bool Tail(LineWindow& a, LineWindow& b);

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
