#include "comparer/line_window.h"

#include <algorithm>
#include <cstring>

namespace fc {

void LineWindow::Reset(uint64_t pos) {
  hashes_.clear();
  unhashed_.clear();
  offsets_.clear();
  offsets_.push_back(pos);
  ended_ = false;
}

// The hash of the key of the whole line `text`, built by the key builder: for a line whose key
// is not its text itself (see KeyBuilder::KeyIsText).
uint32_t LineWindow::BuiltHash(std::string_view text) {
  builder_.Start();
  do {
    hasher_.Add(builder_.Take(&text, true));
  } while (!text.empty());
  return LineHash(hasher_.Finish());
}

// The hash of the key of the line `text`, which is its text itself; the input's window holds
// the bytes up to `end`.
uint32_t LineWindow::TextHash(std::string_view text, const char* end) {
  if (text.size() < KeyHasher::kShort &&
      static_cast<size_t>(end - text.data()) >= KeyHasher::kShort)
    return LineHash(KeyHasher::OfShort(text.data(), text.size()));
  return LineHash(KeyHasher::Of(text));
}

// Adds the lines that end among the `avail` bytes at `p`, which start where the known lines end,
// until `count` lines are known, and returns how many bytes they took: nearly every line is
// whole in the input's window, and is hashed there.
size_t LineWindow::AddWholeLines(const char* p, size_t avail, uint64_t count) {
  uint64_t start = offsets_.back();
  const char* end = p + avail;
  // Whether a line holds a tab is found for many lines at once: no tab lies before `clear`,
  // unless `tab` points at one. Each search looks twice as far ahead as the last, never to the
  // window's end at once, since a short search takes only a few lines from a window of a
  // quarter megabyte.
  const char* clear = p;
  const char* tab = nullptr;
  size_t ahead = 256;
  const char* line = p;
  while (known() < count) {
    const auto* lf = static_cast<const char*>(std::memchr(line, '\n', end - line));
    if (lf == nullptr) break;
    if (tab == nullptr && clear < lf) {
      size_t look = std::min<size_t>(std::max<size_t>(lf - clear, ahead), end - clear);
      tab = static_cast<const char*>(std::memchr(clear, '\t', look));
      clear = tab != nullptr ? tab : clear + look;
      ahead = std::min<size_t>(2 * ahead, size_t{64} << 10);
    }
    bool has_tab = tab != nullptr && tab < lf;
    std::string_view text(line, static_cast<size_t>(lf - line));
    line = lf + 1;
    offsets_.push_back(start + static_cast<uint64_t>(line - p));
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    hashes_.push_back(builder_.KeyIsText(has_tab) ? TextHash(text, end) : BuiltHash(text));
    if (has_tab) {
      tab = nullptr;
      clear = line;
    }
  }
  return static_cast<size_t>(line - p);
}

// Reads the line after the known ones, which the input's window does not hold whole, and sets
// *added, or leaves it false when the input ends there. Returns false after a read error.
bool LineWindow::AddLine(bool* added) {
  uint64_t start = offsets_.back();
  LineReader line(input_, start);
  std::string_view text;
  if (!line.Next(&text)) return false;
  *added = !line.ended() || line.next_start() != start;
  if (!*added) return true;
  if (line.ended()) {
    bool tab = std::memchr(text.data(), '\t', text.size()) != nullptr;
    hashes_.push_back(builder_.KeyIsText(tab) ? LineHash(KeyHasher::Of(text)) : BuiltHash(text));
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
    size_t avail = 0;
    const char* p = input_.Window(offsets_.back(), 2, &avail);
    if (p == nullptr) return false;
    if (AddWholeLines(p, avail, count) > 0) continue;
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
