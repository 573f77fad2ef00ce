// libFuzzer target: two small inputs compared as text under every option and as bytes, in
// buffers small enough that lines cross their edges. Nothing is written anywhere.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "comparer/binary_compare.h"
#include "comparer/source.h"
#include "comparer/text_compare.h"

namespace {

// Pulls every line a report would print and checks that blocks come in file order.
class CheckingSink : public fc::TextSink, public fc::BinarySink {
 public:
  bool Block(const fc::BlockSide& a, const fc::BlockSide& b, fc::LineAccess& lines) override {
    if (a.first < next_[0] || b.first < next_[1] || (a.count == 0 && b.count == 0)) std::abort();
    int k = 0;
    for (const fc::BlockSide* s : {&a, &b}) {
      for (uint64_t line = s->first - s->has_before; line < s->first + s->count + s->has_resync;
           ++line) {
        std::string_view piece;
        for (uint64_t from = 0;; from += piece.size()) {
          if (!lines.Text(k, line, from, &piece)) std::abort();
          if (piece.empty()) break;
        }
      }
      next_[k++] = s->first + s->count;
    }
    return true;
  }
  bool ResyncFailed(uint64_t, bool, uint64_t, bool) override { return true; }
  bool Difference(uint64_t offset, unsigned char a, unsigned char b) override {
    if (a == b || (seen_ && offset <= last_)) std::abort();
    seen_ = true;
    last_ = offset;
    return true;
  }
  bool Longer(int) override { return true; }
  bool Finish(bool) override { return true; }

 private:
  uint64_t next_[2] = {0, 0};
  bool seen_ = false;
  uint64_t last_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4 || size > 4096) return 0;
  fc::TextOptions o;
  o.key.expand_tabs = !(data[0] & 1);
  o.key.compress_white = data[0] & 2;
  o.key.fold_case = data[0] & 4;
  o.max_mismatch = data[1] % 8 == 7 ? 1000000 : 1 + data[1] % 8;
  o.min_match = 1 + data[2] % 4;
  size_t chunk = 8 + data[3] % 64;
  std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  size_t split = rest.find('|');
  if (split == std::string::npos) split = rest.size() / 2;
  std::string a = rest.substr(0, split), b = rest.substr(std::min(split + 1, rest.size()));
  fc::MemorySource sa(a), sb(b);
  std::string error;
  {
    fc::InputBuffer ia(sa, "a", a.size(), chunk), ib(sb, "b", b.size(), chunk);
    CheckingSink sink;
    if (fc::CompareText(ia, ib, o, sink, &error) == fc::Outcome::kTrouble) std::abort();
    if (!error.empty()) std::abort();
  }
  {
    fc::InputBuffer ia(sa, "a", a.size(), chunk), ib(sb, "b", b.size(), chunk);
    CheckingSink sink;
    fc::Outcome outcome = fc::CompareBinary(ia, ib, sink, &error);
    if (outcome != (a == b ? fc::Outcome::kSame : fc::Outcome::kDifferent)) std::abort();
  }
  return 0;
}
