#include "fc/binary_compare.h"

#include <algorithm>

#include "fc/bytes.h"

namespace fc {

Outcome CompareBinary(InputBuffer& a, InputBuffer& b, BinarySink& sink, std::string* error) {
  bool differed = false;
  uint64_t pos = 0;
  size_t na = 0, nb = 0;
  for (;;) {
    const char* pa = a.Window(pos, a.chunk(), &na);
    const char* pb = b.Window(pos, a.chunk(), &nb);
    if (pa == nullptr || pb == nullptr) {
      *error = a.failed() ? a.error() : b.error();
      return Outcome::kTrouble;
    }
    size_t n = std::min(na, nb);
    if (n == 0) break;  // one input has ended; the other may go on
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
  if (na != nb) {
    differed = true;
    ok = sink.Longer(na > nb ? 0 : 1);
  }
  if (!ok || !sink.Finish(differed)) {
    error->clear();
    return Outcome::kTrouble;
  }
  return differed ? Outcome::kDifferent : Outcome::kSame;
}

}  // namespace fc
