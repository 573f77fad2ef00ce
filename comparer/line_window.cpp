#include "comparer/line_window.h"

namespace fc {
namespace {

// 32 bits are plenty: equal hashes only ever pick candidates, which are then compared exactly,
// and the smaller window lets /LB reach far with little memory.
uint32_t Fold(uint64_t h) {
  return static_cast<uint32_t>(h ^ (h >> 32));
}

}  // namespace

void LineWindow::Reset(uint64_t pos) {
  hashes_.clear();
  unhashed_.clear();
  offsets_.assign(1, pos);
}

bool LineWindow::Extend(uint64_t count) {
  while (hashes_.size() < count && !ended()) {
    LineReader line(input_, offsets_.back());
    std::string_view text;
    if (!line.Next(&text)) return false;
    uint32_t hash = 0;
    bool whole = line.ended();
    if (whole) {
      // The text is in the input's window already: hash it without reading it again.
      builder_.Start();
      for (;;) {
        std::string_view part = text.substr(0, KeyBuilder::kPiece);
        text.remove_prefix(part.size());
        hasher_.Add(builder_.Feed(part, text.empty()));
        if (text.empty()) break;
      }
      hash = Fold(hasher_.Finish());
    } else {
      while (!line.ended())
        if (!line.Next(&text)) return false;
    }
    hashes_.push_back(hash);
    unhashed_.push_back(!whole);
    offsets_.push_back(line.next());
  }
  return true;
}

bool LineWindow::HashLines(uint64_t first, uint64_t count) {
  uint64_t end = first + count;
  for (uint64_t k = first; k < end; ++k) {
    if (!unhashed_[k]) continue;
    builder_.Start();
    KeyReader key(Reader(k, false), builder_);
    std::string_view piece;
    for (;;) {
      if (!key.Next(&piece)) return false;
      if (piece.empty()) break;
      hasher_.Add(piece);
    }
    hashes_[k] = Fold(hasher_.Finish());
    unhashed_[k] = false;
  }
  return true;
}

}  // namespace fc
