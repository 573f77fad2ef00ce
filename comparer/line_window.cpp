#include "comparer/line_window.h"

#include <cstring>

namespace fc {

std::string_view StripLineEnd(const char* p, size_t n) {
  if (n > 0 && p[n - 1] == '\n') {
    --n;
    if (n > 0 && p[n - 1] == '\r') --n;
  }
  return std::string_view(p, n);
}

bool ReadLine(InputBuffer& input, uint64_t pos, Line* line) {
  size_t avail = 0;
  const char* p = input.Window(pos, 1, &avail);
  size_t searched = 0;
  while (p != nullptr) {
    const void* nl = std::memchr(p + searched, '\n', avail - searched);
    if (nl != nullptr || pos + avail >= input.size()) {
      size_t len = nl ? static_cast<size_t>(static_cast<const char*>(nl) - p) + 1 : avail;
      line->text = StripLineEnd(p, len);
      line->next = pos + len;
      return true;
    }
    // The line goes on past the window: widen it (the buffer grows for a long line).
    searched = avail;
    p = input.Window(pos, avail + 1, &avail);
  }
  return false;
}

void LineWindow::Reset(uint64_t pos) {
  hashes_.clear();
  offsets_.assign(1, pos);
}

bool LineWindow::Extend(uint64_t count) {
  while (hashes_.size() < count && !ended()) {
    Line line;
    if (!ReadLine(input_, offsets_.back(), &line)) return false;
    std::string_view key = BuildKey(line.text, options_, &scratch_);
    // 32 bits are plenty: equal hashes only ever pick candidates, which are then compared
    // exactly, and the smaller window lets /LB reach far with little memory.
    uint64_t h = HashBytes(key.data(), key.size());
    hashes_.push_back(static_cast<uint32_t>(h ^ (h >> 32)));
    offsets_.push_back(line.next);
  }
  return true;
}

bool LineWindow::Text(uint64_t k, std::string_view* text, bool in_order) {
  size_t len = static_cast<size_t>(offsets_[k + 1] - offsets_[k]);
  size_t avail = 0;
  const char* p =
      in_order ? input_.Window(offsets_[k], len, &avail) : input_.Fetch(offsets_[k], len);
  if (p == nullptr) return false;
  *text = StripLineEnd(p, len);
  return true;
}

}  // namespace fc
