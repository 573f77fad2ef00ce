#include "fc/line_reader.h"

#include <algorithm>
#include <cstring>

namespace fc {

// At least `want` of the line's bytes from pos_ (`want` at most a chunk; fewer only where the
// line or the input ends), cut to the line when its end is known. nullptr after a read error.
const char* LineReader::Bytes(size_t want, size_t* avail) {
  if (alone_) {
    *avail = static_cast<size_t>(std::min<uint64_t>(input_.chunk(), end_ - pos_));
    return input_.Fetch(pos_, *avail);
  }
  const char* p = input_.Window(pos_, want, avail);
  if (end_ != kUnknown) *avail = static_cast<size_t>(std::min<uint64_t>(*avail, end_ - pos_));
  return p;
}

// The line feed among the `avail` bytes at `p`, which start at pos_, or nullptr. When the line's
// end is known, only its last byte can be one.
const char* LineReader::LineFeed(const char* p, size_t avail) const {
  if (end_ == kUnknown) return static_cast<const char*>(std::memchr(p, '\n', avail));
  return pos_ + avail == end_ && p[avail - 1] == '\n' ? p + avail - 1 : nullptr;
}

// Whether the line's text ends with the `avail` bytes from pos_, at its known end or at the
// input's end.
bool LineReader::EndsAfter(size_t avail) const {
  return pos_ + avail >= end_ || input_.Ended(pos_ + avail);
}

// Takes the part of the `avail` bytes at `p`, which start at pos_, that belongs to the line's
// text, up to `lf`, the line feed, when there is one, and moves pos_ past it.
std::string_view LineReader::Cut(const char* p, size_t avail, const char* lf) {
  size_t len = avail;
  if (lf != nullptr) {
    len = static_cast<size_t>(lf - p);
    pos_ += len + 1;
    if (len > 0 && p[len - 1] == '\r') --len;
    ended_ = true;
  } else if (EndsAfter(avail)) {
    pos_ += avail;
    ended_ = true;
  } else {
    // A CR at the piece's end may belong to the line end: it waits for the next piece, which
    // then starts with it. At least two bytes are readable here, so the piece is not empty.
    if (p[len - 1] == '\r') --len;
    pos_ += len;
  }
  return std::string_view(p, len);
}

bool LineReader::Next(std::string_view* piece) {
  *piece = {};
  size_t avail = 0;
  const char* p = ended_ || pos_ >= end_ ? "" : Bytes(2, &avail);
  if (p == nullptr) return false;
  if (avail == 0) {
    ended_ = true;
    return true;
  }
  const char* lf = LineFeed(p, avail);
  if (lf == nullptr && !alone_ && avail < input_.chunk() / 2 && !EndsAfter(avail)) {
    // The window ends soon after pos: move it, so that a line of up to half a chunk comes in
    // one piece.
    p = Bytes(input_.chunk() / 2, &avail);
    if (p == nullptr) return false;
    lf = LineFeed(p, avail);
  }
  *piece = Cut(p, avail, lf);
  return true;
}

bool KeyReader::Next(std::string_view* piece) {
  *piece = {};
  while (!done_) {
    if (text_.empty() && !line_.ended() && !line_.Next(&text_)) return false;
    *piece = builder_.Take(&text_, line_.ended());
    done_ = text_.empty() && line_.ended();
    if (!piece->empty()) return true;
  }
  return true;
}

bool SameLine(KeyReader& a, KeyReader& b, bool* same) {
  *same = false;
  std::string_view pa, pb;
  for (;;) {
    if (pa.empty() && !a.Next(&pa)) return false;
    if (pb.empty() && !b.Next(&pb)) return false;
    if (pa.empty() || pb.empty()) {
      *same = pa.empty() && pb.empty();
      return true;
    }
    size_t n = std::min(pa.size(), pb.size());
    if (std::memcmp(pa.data(), pb.data(), n) != 0) return true;
    pa.remove_prefix(n);
    pb.remove_prefix(n);
  }
}

}  // namespace fc
