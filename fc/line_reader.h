// Reading one line, and the key of one line, in pieces: a line of any length is read through a
// buffer of bounded size.
#pragma once

#include <cstdint>
#include <string_view>

#include "fc/input_buffer.h"
#include "fc/line_key.h"

namespace fc {

// How a reader gets the bytes of its line: by moving the input's window to them, for lines
// read in file order, so that the input reads on in big pieces; or by fetching the line alone,
// which leaves the window where it is.
enum class Fetching { kMoveWindow, kLineAlone };

// Streams the text of one line, without its line end (an LF, and a CR right before it), in
// pieces of at most a chunk of the input.
class LineReader {
 public:
  // Reads from `pos` (inside a line, or at its start) to the end of that line, which reading
  // finds, moving the input's window along.
  LineReader(InputBuffer& input, uint64_t pos)
      : LineReader(input, pos, kUnknown, Fetching::kMoveWindow) {}
  // Reads from `pos` to the end of a line whose next line is known to start at `end`.
  LineReader(InputBuffer& input, uint64_t pos, uint64_t end, Fetching fetching)
      : input_(input), pos_(pos), end_(end), alone_(fetching == Fetching::kLineAlone) {}

  // Sets *piece to the next piece of text, valid until the input is used again; the piece is
  // empty once the line has ended. Returns false after a read error, which the input holds.
  bool Next(std::string_view* piece);

  // Whether the last piece given ended the line, and then where the next line starts; that is
  // where the line started when the input had ended there, with no line left.
  bool ended() const { return ended_; }
  uint64_t next_start() const { return pos_; }

 private:
  static constexpr uint64_t kUnknown = UINT64_MAX;

  const char* Bytes(size_t want, size_t* avail);
  std::string_view Cut(const char* p, size_t avail, const char* lf);
  const char* LineFeed(const char* p, size_t avail) const;
  bool EndsAfter(size_t avail) const;

  InputBuffer& input_;
  uint64_t pos_;
  uint64_t end_;
  bool alone_;
  bool ended_ = false;
};

// The key of the line that a LineReader reads, in bounded pieces (see KeyBuilder::Take).
class KeyReader {
 public:
  // `builder` has been started (or resumed) for the place where `line` starts reading.
  KeyReader(const LineReader& line, KeyBuilder& builder) : line_(line), builder_(builder) {}

  // Sets *piece to the next non-empty piece of the key, valid until the next call, or to an
  // empty one at the key's end. Returns false after a read error.
  bool Next(std::string_view* piece);
  // Once the key has ended: where the next line starts.
  uint64_t next_start() const { return line_.next_start(); }

 private:
  LineReader line_;
  KeyBuilder& builder_;
  std::string_view text_;  // text read but not yet given to the builder
  bool done_ = false;
};

// Compares the keys of the two lines that `a` and `b` read, piece by piece, and stops at the
// first difference. One equality for every option: when no option can make different bytes
// equal (see KeyBuilder::KeyIsText), the builders hand out the text itself and this compares bytes.
// Returns false after a read error.
bool SameLine(KeyReader& a, KeyReader& b, bool* same);

}  // namespace fc
