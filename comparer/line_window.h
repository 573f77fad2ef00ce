// The lines of one file from the start of a block on, as far as the resync search has looked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "comparer/input_buffer.h"
#include "comparer/line_key.h"

namespace fc {

// One line as read: its text without the line end, and the offset of the next line.
struct Line {
  std::string_view text;
  uint64_t next = 0;
};

// Reads the line that starts at `pos` (before the end of the input). The text stays valid until
// the input is used again. Returns false after a read error.
bool ReadLine(InputBuffer& input, uint64_t pos, Line* line);

// Drops the line end from the raw bytes of one line: an LF, and a CR right before it.
std::string_view StripLineEnd(const char* p, size_t n);

// Keeps, for each line looked at, only its offset and a 32-bit hash of its key (12 bytes a line),
// so that even a window of a million lines stays small; the text is read again from the
// input when it is needed for an exact comparison or for the report.
class LineWindow {
 public:
  LineWindow(InputBuffer& input, const KeyOptions& options) : input_(input), options_(options) {}

  // Starts over with no lines known; the next line to read starts at byte `pos`.
  void Reset(uint64_t pos);

  // Reads on until `count` lines are known or the input ends. Returns false after a read error.
  bool Extend(uint64_t count);

  // How many lines are known, whether the input's end has been reached, and the key hash of
  // line k (k < known()).
  uint64_t known() const { return hashes_.size(); }
  bool ended() const { return offsets_.back() >= input_.size(); }
  uint32_t hash(uint64_t k) const { return hashes_[k]; }
  // Where line k of the window starts; begin(known()) is where reading stopped.
  uint64_t begin(uint64_t k) const { return offsets_[k]; }

  // Sets *text to line k without its line end, valid until the input is used again.
  // `in_order` says the caller goes through the lines in file order (as the report does), so
  // the input's window can move to them and read on in big pieces; otherwise the line alone
  // is read. Returns false after a read error.
  bool Text(uint64_t k, std::string_view* text, bool in_order = false);

 private:
  InputBuffer& input_;
  const KeyOptions& options_;
  std::vector<uint32_t> hashes_;
  std::vector<uint64_t> offsets_{0};
  std::string scratch_;
};

}  // namespace fc
