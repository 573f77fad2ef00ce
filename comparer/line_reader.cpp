#include "comparer/line_reader.h"

#include <algorithm>
#include <cstring>

namespace fc {

// The line feed among the `avail` bytes at `p`, which start at pos_, or nullptr. When the line's
// end is known, only its last byte can be one.
const char* LineReader::LineFeed(const char* p, size_t avail) const {
  if (end_ == kUnknown) return static_cast<const char*>(std::memchr(p, '\n', avail));
  return pos_ + avail == end_ && p[avail - 1] == '\n' ? p + avail - 1 : nullptr;
}

bool LineReader::Next(std::string_view* piece) {
  *piece = {};
  if (ended_) return true;
  uint64_t limit = std::min(end_, input_.size());
  if (pos_ >= limit) {
    ended_ = true;
    return true;
  }
  size_t avail = 0;
  const char* p;
  if (in_order_) {
    p = input_.Window(pos_, 2, &avail);
  } else {
    avail = static_cast<size_t>(std::min<uint64_t>(input_.chunk(), limit - pos_));
    p = input_.Fetch(pos_, avail);
  }
  if (p == nullptr) return false;
  avail = static_cast<size_t>(std::min<uint64_t>(avail, limit - pos_));
  const char* lf = LineFeed(p, avail);
  if (lf == nullptr && in_order_ && pos_ + avail < limit && avail < input_.chunk() / 2) {
    // The window ends soon after pos: move it, so that a line of up to half a chunk comes
    // in one piece.
    p = input_.Window(pos_, input_.chunk() / 2, &avail);
    if (p == nullptr) return false;
    avail = static_cast<size_t>(std::min<uint64_t>(avail, limit - pos_));
    lf = LineFeed(p, avail);
  }
  size_t len = avail;
  if (lf != nullptr) {
    len = static_cast<size_t>(lf - p);
    pos_ += len + 1;
    if (len > 0 && p[len - 1] == '\r') --len;
    ended_ = true;
  } else if (pos_ + avail >= limit) {
    pos_ += avail;
    ended_ = true;
  } else {
    // A CR at the piece's end may belong to the line end: it waits for the next piece, which
    // then starts with it. At least two bytes are readable here, so the piece is not empty.
    if (p[len - 1] == '\r') --len;
    pos_ += len;
  }
  *piece = std::string_view(p, len);
  return true;
}

bool KeyReader::Next(std::string_view* piece) {
  *piece = {};
  while (!done_) {
    if (text_.empty() && !line_.ended() && !line_.Next(&text_)) return false;
    std::string_view part = text_.substr(0, KeyBuilder::kPiece);
    text_.remove_prefix(part.size());
    done_ = text_.empty() && line_.ended();
    *piece = builder_.Feed(part, done_);
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
