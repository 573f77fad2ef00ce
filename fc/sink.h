// What the comparison engines hand their results to; the report writer is the real one.
#pragma once

#include <cstdint>
#include <string_view>

namespace fc {

// One side of a text block, in 0-based line numbers: the block's lines are
// first .. first+count-1; the line before is first-1 and the resync line first+count.
struct BlockSide {
  uint64_t first = 0;
  uint64_t count = 0;
  bool has_before = false;
  bool has_resync = false;
};

// Gives the text of a line the engine still holds, without its line end, in pieces: a line may
// be far longer than any buffer.
class LineAccess {
 public:
  virtual ~LineAccess() = default;
  // Sets *piece to the text of line `line` of side 0 (file1) or 1 (file2) from byte `from` of
  // the text on, valid until the next call, and *ends to whether the text ends with it; the
  // piece has at least one byte unless it ends the text. Returns false after a read error,
  // which the engine then reports.
  virtual bool Text(int side, uint64_t line, uint64_t from, std::string_view* piece,
                    bool* ends) = 0;
  // The same for the bytes of lines first .. first+count-1 as they stand in the file, line ends
  // included, so that a stretch of lines can be copied in big pieces.
  virtual bool Lines(int side, uint64_t first, uint64_t count, uint64_t from,
                     std::string_view* piece, bool* ends) = 0;
};

// Receives the results of a text comparison in file order. Each call returns false when the
// report can no longer be written; the engine then stops.
class TextSink {
 public:
  virtual ~TextSink() = default;
  // One block of differing lines, with its surrounding lines read through `lines`.
  virtual bool Block(const BlockSide& a, const BlockSide& b, LineAccess& lines) = 0;
  // No resync point was found from these 0-based lines; `ended` says a file had ended there.
  virtual bool ResyncFailed(uint64_t line_a, bool ended_a, uint64_t line_b, bool ended_b) = 0;
  // The comparison is over; `differed` says whether anything was reported.
  virtual bool Finish(bool differed) = 0;
};

// How a comparison ended, as both engines return it.
enum class Outcome { kSame, kDifferent, kTrouble };

// Receives the results of a binary comparison in file order; false stops the engine.
class BinarySink {
 public:
  virtual ~BinarySink() = default;
  // The bytes at `offset` differ: `a` in file1, `b` in file2.
  virtual bool Difference(uint64_t offset, unsigned char a, unsigned char b) = 0;
  // After the common length, file `longer` (0 or 1) still has bytes.
  virtual bool Longer(int longer) = 0;
  // The comparison is over; `differed` says whether anything was reported.
  virtual bool Finish(bool differed) = 0;
};

}  // namespace fc
