// Buffered, mostly sequential access to one input of known size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "comparer/source.h"

namespace fc {

// Holds a window of one input so that it is read in big pieces. The window never grows past a
// chunk and a quarter, however long the lines are: callers take long lines in pieces. The
// input's length is taken once, when it is opened: what is appended later is not read, and an
// input that turns out shorter than that (it shrank while being read) is a read error.
class InputBuffer {
 public:
  // `chunk` is the size of one read (at least 8 bytes).
  InputBuffer(Source& source, std::string name, uint64_t size, size_t chunk);

  // The input's length as taken at opening, its name for error lines, the size of one read.
  uint64_t size() const { return size_; }
  const std::string& name() const { return name_; }
  size_t chunk() const { return chunk_; }

  // Makes at least `want` bytes from `pos` readable (`want` is cut to a chunk; fewer only at the
  // end of the input) and sets *avail to how many are. Returns nullptr after a read error (see
  // error()).
  const char* Window(uint64_t pos, size_t want, size_t* avail);

  // Asks the buffer to keep the bytes from `pos` on when it slides forward, as long as that
  // costs no more than a quarter of a chunk; kNoKeep drops the wish.
  void Keep(uint64_t pos) { keep_ = pos; }
  static constexpr uint64_t kNoKeep = UINT64_MAX;

  // Returns the `len` bytes at `off` (`len` at most a chunk), from the window when they are in
  // it and otherwise read into a scratch area without moving the window; valid until the next
  // call. nullptr after a read error.
  const char* Fetch(uint64_t off, size_t len);

  bool failed() const { return !error_.empty(); }
  // The report's line for the read error, empty while there is none.
  const std::string& error() const { return error_; }

 private:
  bool ReadFully(uint64_t off, char* out, size_t len, size_t* got);
  bool Fill(uint64_t pos);
  size_t capacity() const { return chunk_ + chunk_ / 4; }

  Source& source_;
  std::string name_;
  uint64_t size_;
  size_t chunk_;
  // Left uninitialised, so that a page is only touched when a read fills it.
  std::unique_ptr<char[]> buf_;
  uint64_t buf_off_ = 0;
  size_t buf_len_ = 0;
  uint64_t keep_ = kNoKeep;
  std::unique_ptr<char[]> scratch_;
  std::string error_;
};

}  // namespace fc
