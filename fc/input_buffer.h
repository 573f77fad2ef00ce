// Buffered, mostly sequential access to one input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fc/source.h"

namespace fc {

// Holds a window of one input so that it is read in pieces of a chunk. What the window holds
// besides the bytes asked for is bounded by `hold`, however long the lines are: callers take
// long lines in pieces.
//
// The input ends where a read first returns nothing, whatever its size looked like when it was
// opened (a file in /proc says 0 bytes, one in /sys 4096); from then on nothing past that end is
// read, so what is appended later is not compared. A read that returns nothing before the
// furthest byte read so far means the input shrank, which is a read error.
class InputBuffer {
 public:
  static constexpr uint64_t kNoLimit = UINT64_MAX;

  // `limit`, unless kNoLimit, is a length past which nothing is read even where the input goes
  // on; `chunk` is the size of one read (at least 8 bytes); `hold` is the most that the window
  // keeps of the bytes before the place asked for (see Keep).
  InputBuffer(Source& source, std::string name, uint64_t limit, size_t chunk, size_t hold);

  // The size of one read.
  size_t chunk() const { return chunk_; }

  // Makes at least `want` bytes from `pos` readable (`want` is cut to a chunk; fewer only at the
  // end of the input, none at or past it) and sets *avail to how many are. Returns nullptr after
  // a read error (see error()).
  const char* Window(uint64_t pos, size_t want, size_t* avail);

  // Whether the window holds the byte at `pos`, so that asking for it reads nothing.
  bool Holds(uint64_t pos) const { return pos >= buf_off_ && pos - buf_off_ < buf_len_; }

  // Whether a read has found the input's end at or before `pos`. Only reading finds the end: the
  // answer is sure for a place that Window has just been asked for.
  bool Ended(uint64_t pos) const { return pos >= end_; }

  // Asks the window to keep the bytes from `pos` on as it moves forward, so that they need not
  // be read again, as long as they come to no more than `hold`; kNoKeep drops the wish.
  void Keep(uint64_t pos) { keep_ = pos; }
  static constexpr uint64_t kNoKeep = UINT64_MAX;

  // Returns the `len` bytes at `off` (`len` at most a chunk), which have been read before, from
  // the window when they are in it and otherwise read again into a scratch area without moving
  // the window; valid until the next call. nullptr after a read error, including an input that
  // no longer holds them.
  const char* Fetch(uint64_t off, size_t len);

  bool failed() const { return !error_.empty(); }
  // The report's line for the read error, empty while there is none.
  const std::string& error() const { return error_; }

 private:
  bool ReadInto(uint64_t off, char* out, size_t len, size_t* got);
  bool Shrank();
  bool Fill(uint64_t pos);

  Source& source_;
  std::string name_;
  uint64_t limit_;
  size_t chunk_;
  size_t hold_;
  uint64_t end_ = UINT64_MAX;  // where the input ends, once a read has found it
  uint64_t seen_ = 0;          // how far reading has got
  // Room for what is held and a read after it, left uninitialised, so that a page is only
  // touched when a read fills it.
  std::unique_ptr<char[]> buf_;
  uint64_t buf_off_ = 0;
  size_t buf_len_ = 0;
  uint64_t keep_ = kNoKeep;
  std::unique_ptr<char[]> scratch_;
  std::string error_;
};

}  // namespace fc
