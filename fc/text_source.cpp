#include "fc/text_source.h"

#include <algorithm>

namespace fc {

TextSource::TextSource(Source& raw, uint64_t limit, DecodeSizes sizes)
    : raw_(raw), limit_(limit), sizes_(sizes) {}

// Reads the first bytes and takes the mark they start with, if any.
bool TextSource::ReadMark(std::string* error) {
  unsigned char first[3] = {0, 0, 0};
  size_t have = 0, want = static_cast<size_t>(std::min<uint64_t>(sizeof first, limit_));
  while (have < want) {
    size_t got = 0;
    if (!raw_.ReadAt(have, reinterpret_cast<char*>(first) + have, want - have, &got, error))
      return false;
    if (got == 0) break;
    have += got;
  }
  if (have == 3 && first[0] == 0xEF && first[1] == 0xBB && first[2] == 0xBF) {
    skip_ = 3;
  } else if (have >= 2 &&
             ((first[0] == 0xFF && first[1] == 0xFE) || (first[0] == 0xFE && first[1] == 0xFF))) {
    utf16_ = std::make_unique<Utf16Source>(raw_, 2, limit_, first[0] == 0xFE, sizes_);
  }
  looked_ = true;
  return true;
}

bool TextSource::ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) {
  *got = 0;
  if (!looked_ && !ReadMark(error)) return false;
  if (utf16_) return utf16_->ReadAt(offset, out, size, got, error);
  uint64_t at = offset + skip_;
  if (at >= limit_) return true;
  return raw_.ReadAt(at, out, static_cast<size_t>(std::min<uint64_t>(size, limit_ - at)), got,
                     error);
}

}  // namespace fc
