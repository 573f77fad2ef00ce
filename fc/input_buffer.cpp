#include "fc/input_buffer.h"

#include <algorithm>
#include <cstring>

namespace fc {
namespace {

// Handed out for empty ranges, so that nullptr always means a read error.
const char kNothing[1] = {0};

}  // namespace

InputBuffer::InputBuffer(Source& source, std::string name, uint64_t limit, size_t chunk)
    : source_(source), name_(std::move(name)), limit_(limit), chunk_(std::max<size_t>(chunk, 8)) {}

// Notes that the input no longer holds bytes it held; returns false.
bool InputBuffer::Shrank() {
  error_ = "FC: " + name_ + " shrank while it was being read";
  return false;
}

// Reads `len` bytes at `off` unless the input ends first, and sets *got to how many came. A read
// that returns nothing marks the input's end there, unless bytes past that place have been read
// before: then the input has shrunk, which is reported like any other read error.
bool InputBuffer::ReadInto(uint64_t off, char* out, size_t len, size_t* got) {
  *got = 0;
  while (*got < len) {
    size_t n = 0;
    std::string why;
    if (!source_.ReadAt(off + *got, out + *got, len - *got, &n, &why)) {
      error_ = "FC: error reading " + name_ + " - " + why;
      return false;
    }
    if (n == 0) {
      if (off + *got < seen_) return Shrank();
      end_ = off + *got;
      break;
    }
    *got += n;
  }
  seen_ = std::max(seen_, off + *got);
  return true;
}

bool InputBuffer::Fill(uint64_t pos) {
  uint64_t start = pos;
  uint64_t buf_end = buf_off_ + buf_len_;
  if (keep_ != kNoKeep && keep_ <= pos && keep_ >= buf_off_ && pos - keep_ <= chunk_ / 4)
    start = keep_;
  if (start >= buf_off_ && start <= buf_end && buf_len_ > 0) {
    size_t keep = static_cast<size_t>(buf_end - start);
    std::memmove(buf_.get(), buf_.get() + (start - buf_off_), keep);
    buf_len_ = keep;
  } else {
    buf_len_ = 0;
  }
  buf_off_ = start;
  // pos - start is at most a quarter of a chunk and Window asks for at most a chunk from pos,
  // so a chunk and a quarter holds both.
  if (!buf_) buf_.reset(new char[capacity()]);
  uint64_t from = buf_off_ + buf_len_;
  uint64_t stop = std::min(limit_, end_);
  size_t room =
      from < stop ? static_cast<size_t>(std::min<uint64_t>(capacity() - buf_len_, stop - from)) : 0;
  size_t got = 0;
  if (room > 0 && !ReadInto(from, buf_.get() + buf_len_, room, &got)) return false;
  buf_len_ += got;
  if (from + got >= limit_) end_ = std::min(end_, limit_);
  return true;
}

const char* InputBuffer::Window(uint64_t pos, size_t want, size_t* avail) {
  *avail = 0;
  if (failed()) return nullptr;
  if (pos >= end_) return kNothing;
  uint64_t need = std::min(pos + std::min(want, chunk_), end_);
  if (pos < buf_off_ || need > buf_off_ + buf_len_) {
    if (!Fill(pos)) return nullptr;
    if (pos >= end_) return kNothing;
  }
  *avail = static_cast<size_t>(buf_off_ + buf_len_ - pos);
  return buf_.get() + (pos - buf_off_);
}

const char* InputBuffer::Fetch(uint64_t off, size_t len) {
  if (failed()) return nullptr;
  if (len == 0) return kNothing;
  if (off >= buf_off_ && off + len <= buf_off_ + buf_len_) return buf_.get() + (off - buf_off_);
  if (!scratch_) scratch_.reset(new char[chunk_]);
  size_t got = 0;
  if (!ReadInto(off, scratch_.get(), len, &got)) return nullptr;
  if (got < len) {
    Shrank();
    return nullptr;
  }
  return scratch_.get();
}

}  // namespace fc
