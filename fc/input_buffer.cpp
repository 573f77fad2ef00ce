#include "fc/input_buffer.h"

#include <algorithm>
#include <cstring>

namespace fc {
namespace {

// Handed out for empty ranges, so that nullptr always means a read error.
const char kNothing[1] = {0};

}  // namespace

InputBuffer::InputBuffer(Source& source, std::string name, uint64_t limit, size_t chunk,
                         size_t hold)
    : source_(source),
      name_(std::move(name)),
      limit_(limit),
      chunk_(std::max<size_t>(chunk, 8)),
      hold_(hold) {}

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

// Reads on after the window, a chunk or what room there is, or a chunk at `pos` when the window
// does not reach it. The window keeps the bytes from keep_ on when it holds them and they come
// to no more than hold_, else those from `pos` on. A few kept bytes go to the front, so that
// each read lands where the last ones did, still in the processor's cache; many stay where they
// are while there is room for a chunk after them.
bool InputBuffer::Fill(uint64_t pos) {
  uint64_t buf_end = buf_off_ + buf_len_;
  const size_t capacity = hold_ + chunk_;
  if (!buf_) buf_.reset(new char[capacity]);
  if (buf_len_ > 0 && pos >= buf_off_ && pos <= buf_end) {
    uint64_t start = pos;
    if (keep_ >= buf_off_ && keep_ <= pos && buf_end - keep_ <= hold_) start = keep_;
    // Window asks for at most a chunk from pos, so fewer than a chunk lie after pos here, and
    // whatever is kept leaves room for the rest of what Window asks for.
    size_t kept = static_cast<size_t>(buf_end - start);
    if (kept <= chunk_ / 4 || capacity - buf_len_ < chunk_) {
      std::memmove(buf_.get(), buf_.get() + (start - buf_off_), kept);
      buf_off_ = start;
      buf_len_ = kept;
    }
  } else {
    buf_off_ = pos;
    buf_len_ = 0;
  }
  uint64_t from = buf_off_ + buf_len_;
  uint64_t stop = std::min(limit_, end_);
  uint64_t left = from < stop ? stop - from : 0;
  size_t room =
      static_cast<size_t>(std::min<uint64_t>(std::min(chunk_, capacity - buf_len_), left));
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
