#include "comparer/input_buffer.h"

#include <algorithm>
#include <cstring>

namespace fc {
namespace {

// Handed out for empty ranges, so that nullptr always means a read error.
const char kNothing[1] = {0};

}  // namespace

InputBuffer::InputBuffer(Source& source, std::string name, uint64_t size, size_t chunk)
    : source_(source), name_(std::move(name)), size_(size), chunk_(std::max<size_t>(chunk, 8)) {}

// Reads exactly `len` bytes unless the input ends first; an end before the length taken at
// opening means the input shrank, which is reported like any other read error.
bool InputBuffer::ReadFully(uint64_t off, char* out, size_t len, size_t* got) {
  *got = 0;
  while (*got < len) {
    size_t n = 0;
    std::string why;
    if (!source_.ReadAt(off + *got, out + *got, len - *got, &n, &why)) {
      error_ = "FC: error reading " + name_ + " - " + why;
      return false;
    }
    if (n == 0) {
      error_ = "FC: " + name_ + " shrank while it was being read";
      return false;
    }
    *got += n;
  }
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
  uint64_t left = size_ - (buf_off_ + buf_len_);
  size_t room = std::min<uint64_t>(capacity() - buf_len_, left);
  size_t got = 0;
  if (!ReadFully(buf_off_ + buf_len_, buf_.get() + buf_len_, room, &got)) return false;
  buf_len_ += got;
  return true;
}

const char* InputBuffer::Window(uint64_t pos, size_t want, size_t* avail) {
  *avail = 0;
  if (failed()) return nullptr;
  if (pos >= size_) return kNothing;
  want = static_cast<size_t>(std::min<uint64_t>({want, chunk_, size_ - pos}));
  if (pos < buf_off_ || pos + want > buf_off_ + buf_len_) {
    if (!Fill(pos)) return nullptr;
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
  if (!ReadFully(off, scratch_.get(), len, &got)) return nullptr;
  return scratch_.get();
}

}  // namespace fc
