// The lines of one file from the start of a block on, as far as the resync search has looked.
#pragma once

#include <cstdint>
#include <vector>

#include "fc/growing_array.h"
#include "fc/input_buffer.h"
#include "fc/key_hash.h"
#include "fc/line_key.h"
#include "fc/line_reader.h"

namespace fc {

// Keeps, for each line looked at, only its offset and a 32-bit hash of its key (12 bytes a line;
// a long line whose hash is still to be made is listed too), so that even a window of a million
// lines stays small; the text is read again from the input when it is needed for an exact
// comparison or for the report.
class LineWindow {
 public:
  LineWindow(InputBuffer& input, const KeyOptions& options) : input_(input), builder_(options) {
    offsets_.push_back(0);
  }

  // Starts over with no lines known; the next line to read starts at byte `pos`, and holds no
  // line end before byte `plain_until`: when the input no longer holds its start, it is read on
  // from there to find its end, as the bytes before have been read already.
  void Reset(uint64_t pos, uint64_t plain_until);

  // Reads on until `count` lines are known or the input ends. A line that the input's window
  // holds whole is hashed at once; a longer one only when HashLines asks for it, since a search
  // often never needs it. Returns false after a read error.
  bool Extend(uint64_t count);

  // Makes room for `count` lines, so that a window that is to grow big grows in a few steps;
  // room() says for how many there is.
  void Reserve(uint64_t count) {
    offsets_.reserve(count + 1);
    hashes_.reserve(count);
  }
  uint64_t room() const { return hashes_.capacity(); }

  // Makes sure that the hashes of lines first .. first+count-1 (all known) are there, reading
  // long lines again to hash them. Returns false after a read error.
  bool HashLines(uint64_t first, uint64_t count) {
    return unhashed_.empty() || HashLongLines(first, count);
  }

  // How many lines are known, whether the input ends after them, and the key hash of line k
  // (k < known(), hashed).
  uint64_t known() const { return hashes_.size(); }
  bool ended() const { return ended_; }
  uint32_t hash(uint64_t k) const { return hashes_[k]; }
  // Where line k of the window starts; begin(known()) is where reading stopped.
  uint64_t begin(uint64_t k) const { return offsets_[k]; }
  InputBuffer& input() const { return input_; }
  // Whether every known line is hashed.
  bool all_hashed() const { return unhashed_.empty(); }

  // A reader of line k's text (k < known()).
  LineReader Reader(uint64_t k, Fetching fetching) const {
    return LineReader(input_, offsets_[k], offsets_[k + 1], fetching);
  }

 private:
  size_t AddWholeLines(const char* p, size_t avail, uint64_t count);
  bool AddLine(uint64_t from, bool* added);
  uint32_t KeyHash(std::string_view text, bool tab);
  bool HashLongLines(uint64_t first, uint64_t count);

  InputBuffer& input_;
  KeyBuilder builder_;
  KeyHasher hasher_;
  GrowingArray<uint32_t> hashes_;
  GrowingArray<uint64_t> offsets_;
  std::vector<uint64_t> unhashed_;  // long lines whose hash is still to be made, in order
  bool ended_ = false;
  uint64_t plain_until_ = 0;  // see Reset
};

}  // namespace fc
