#include "comparer/line_window.h"

namespace fc {

void LineWindow::Reset(uint64_t pos) {
  hashes_.clear();
  unhashed_.clear();
  offsets_.assign(1, pos);
  ended_ = false;
}

// Reads the line after the known ones and sets *added, or leaves it false when the input ends
// there. Returns false after a read error.
bool LineWindow::AddLine(bool* added) {
  uint64_t start = offsets_.back();
  LineReader line(input_, start);
  std::string_view text;
  if (!line.Next(&text)) return false;
  *added = !line.ended() || line.next_start() != start;
  if (!*added) return true;
  uint32_t hash = 0;
  bool whole = line.ended();
  if (whole) {
    // The text is in the input's window already: hash it without reading it again.
    builder_.Start();
    do {
      hasher_.Add(builder_.Take(&text, true));
    } while (!text.empty());
    hash = LineHash(hasher_.Finish());
  } else {
    while (!line.ended())
      if (!line.Next(&text)) return false;
  }
  hashes_.push_back(hash);
  unhashed_.push_back(!whole);
  offsets_.push_back(line.next_start());
  return true;
}

bool LineWindow::Extend(uint64_t count) {
  while (hashes_.size() < count && !ended_) {
    bool added = false;
    if (!AddLine(&added)) return false;
    ended_ = !added;
  }
  if (!ended_) {
    // Whether the input ends right after the last line decides the search's end rule, so it
    // is found out now, usually without a read.
    size_t avail = 0;
    if (input_.Window(offsets_.back(), 1, &avail) == nullptr) return false;
    ended_ = avail == 0;
  }
  return true;
}

bool LineWindow::HashLines(uint64_t first, uint64_t count) {
  uint64_t end = first + count;
  for (uint64_t k = first; k < end; ++k) {
    if (!unhashed_[k]) continue;
    builder_.Start();
    KeyReader key(Reader(k, Fetching::kLineAlone), builder_);
    std::string_view piece;
    for (;;) {
      if (!key.Next(&piece)) return false;
      if (piece.empty()) break;
      hasher_.Add(piece);
    }
    hashes_[k] = LineHash(hasher_.Finish());
    unhashed_[k] = false;
  }
  return true;
}

}  // namespace fc
