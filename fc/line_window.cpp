#include "fc/line_window.h"

#include <algorithm>
#include <cstring>

#include "fc/bytes.h"

namespace fc {

void LineWindow::Reset(uint64_t pos, uint64_t plain_until) {
  hashes_.clear();
  unhashed_.clear();
  offsets_.clear();
  offsets_.push_back(pos);
  ended_ = false;
  plain_until_ = plain_until;
}

// The hash of the key of the whole line `text`, which holds a tab where `tab` says: of the text
// itself when that is its key (see KeyBuilder::KeyIsText), else of the key that the builder
// makes. A key made in one piece, as nearly all are, is hashed whole, which gives the same hash
// as the pieces of a long one would.
uint32_t LineWindow::KeyHash(std::string_view text, bool tab) {
  if (builder_.KeyIsText(tab)) return LineHash(KeyHasher::Of(text));
  builder_.Start();
  std::string_view key = builder_.Take(&text, true);
  if (text.empty()) return LineHash(KeyHasher::Of(key));
  hasher_.Add(key);
  do {
    hasher_.Add(builder_.Take(&text, true));
  } while (!text.empty());
  return LineHash(hasher_.Finish());
}

// Adds the lines that end among the `avail` bytes at `p`, which start where the known lines end,
// until `count` lines are known, and returns how many bytes they took: nearly every line is
// whole in the input's window, and is hashed there. The line ends are found a batch at a time,
// with whether each line holds a tab, which decides whether its key is its text.
size_t LineWindow::AddWholeLines(const char* p, size_t avail, uint64_t count) {
  // Line ends are found up to this many at a time, into an array on the stack: enough that
  // the finding costs little a line. A short search asks for only the few lines it needs.
  constexpr size_t kBatch = 64;
  uint32_t ends[kBatch];
  uint64_t start = offsets_.back();
  const char* end = p + avail;
  const char* line = p;
  while (known() < count) {
    const char* from = line;
    size_t want = static_cast<size_t>(std::min<uint64_t>(kBatch, count - known()));
    // The offsets have 31 bits; the input's window is far smaller.
    size_t scan = std::min<size_t>(static_cast<size_t>(end - from), kTabBefore - 1);
    size_t found = FindLineEnds(from, scan, ends, want);
    for (size_t k = 0; k < found; ++k) {
      const char* lf = from + (ends[k] & ~kTabBefore);
      std::string_view text(line, static_cast<size_t>(lf - line));
      line = lf + 1;
      offsets_.push_back(start + static_cast<uint64_t>(line - p));
      if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      bool tab = (ends[k] & kTabBefore) != 0;
      hashes_.push_back(KeyHash(text, tab));
    }
    if (found < want) break;
  }
  return static_cast<size_t>(line - p);
}

// Reads the line after the known ones, which the input's window does not hold whole, from byte
// `from` of it on, and sets *added, or leaves it false when the input ends there. Returns false
// after a read error.
bool LineWindow::AddLine(uint64_t from, bool* added) {
  uint64_t start = offsets_.back();
  LineReader line(input_, from);
  std::string_view text;
  if (!line.Next(&text)) return false;
  *added = from > start || !line.ended() || line.next_start() != start;
  if (!*added) return true;
  if (from == start && line.ended()) {
    bool tab = std::memchr(text.data(), '\t', text.size()) != nullptr;
    hashes_.push_back(KeyHash(text, tab));
  } else {
    // A long line is hashed only when the search asks for it.
    while (!line.ended())
      if (!line.Next(&text)) return false;
    unhashed_.push_back(hashes_.size());
    hashes_.push_back(0);
  }
  offsets_.push_back(line.next_start());
  return true;
}

bool LineWindow::Extend(uint64_t count) {
  while (hashes_.size() < count && !ended_) {
    uint64_t start = offsets_.back();
    bool added = false;
    if (known() == 0 && plain_until_ > start && !input_.Holds(start)) {
      // The first line is longer than the input holds: it is read on from where its bytes
      // have not been read yet, and hashed, if it must be, from its start.
      if (!AddLine(plain_until_, &added)) return false;
      ended_ = !added;
      continue;
    }
    size_t avail = 0;
    const char* p = input_.Window(start, 2, &avail);
    if (p == nullptr) return false;
    if (AddWholeLines(p, avail, count) > 0) continue;
    if (!AddLine(start, &added)) return false;
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

bool LineWindow::HashLongLines(uint64_t first, uint64_t count) {
  auto k = std::lower_bound(unhashed_.begin(), unhashed_.end(), first);
  while (k != unhashed_.end() && *k < first + count) {
    builder_.Start();
    KeyReader key(Reader(*k, Fetching::kLineAlone), builder_);
    std::string_view piece;
    for (;;) {
      if (!key.Next(&piece)) return false;
      if (piece.empty()) break;
      hasher_.Add(piece);
    }
    hashes_[*k] = LineHash(hasher_.Finish());
    k = unhashed_.erase(k);
  }
  return true;
}

}  // namespace fc
