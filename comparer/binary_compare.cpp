#include "comparer/binary_compare.h"

#include <algorithm>

#include "comparer/bytes.h"

namespace fc {

Outcome CompareBinary(InputBuffer& a, InputBuffer& b, BinarySink& sink, std::string* error) {
  const uint64_t common = std::min(a.size(), b.size());
  bool differed = false;
  uint64_t pos = 0;
  while (pos < common) {
    size_t na = 0, nb = 0;
    size_t want = static_cast<size_t>(std::min<uint64_t>(a.chunk(), common - pos));
    const char* pa = a.Window(pos, want, &na);
    const char* pb = b.Window(pos, want, &nb);
    if (pa == nullptr || pb == nullptr) {
      *error = a.failed() ? a.error() : b.error();
      return Outcome::kTrouble;
    }
    size_t n = static_cast<size_t>(std::min<uint64_t>({na, nb, common - pos}));
    for (size_t at = FirstMismatch(pa, pb, n); at < n;
         at += 1 + FirstMismatch(pa + at + 1, pb + at + 1, n - at - 1)) {
      differed = true;
      if (!sink.Difference(pos + at, static_cast<unsigned char>(pa[at]),
                           static_cast<unsigned char>(pb[at]))) {
        error->clear();
        return Outcome::kTrouble;
      }
    }
    pos += n;
  }
  bool ok = true;
  if (a.size() != b.size()) {
    differed = true;
    ok = sink.Longer(a.size() > b.size() ? 0 : 1);
  }
  if (!ok || !sink.Finish(differed)) {
    error->clear();
    return Outcome::kTrouble;
  }
  return differed ? Outcome::kDifferent : Outcome::kSame;
}

}  // namespace fc
