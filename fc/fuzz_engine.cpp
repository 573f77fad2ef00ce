// libFuzzer target: two small inputs compared as text under every option and as bytes, in
// buffers small enough that lines cross their edges and are read, keyed and hashed in pieces;
// the text read through a byte-order mark, when an input starts with one, decoded in tiny steps
// and read back in pieces from its end, which must give the text read in file order; and the
// first input's key built in pieces cut where the second input says, which must be its whole
// key. Nothing is written anywhere.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fc/binary_compare.h"
#include "fc/key_hash.h"
#include "fc/line_key.h"
#include "fc/source.h"
#include "fc/testing/line_pulling.h"
#include "fc/text_compare.h"
#include "fc/text_source.h"

namespace {

// Pulls every line a report would print, one by one and as a stretch, checks that the two
// agree and that blocks come in file order.
class CheckingSink : public fc::TextSink, public fc::BinarySink {
 public:
  bool Block(const fc::BlockSide& a, const fc::BlockSide& b, fc::LineAccess& lines) override {
    if (a.first < next_[0] || b.first < next_[1] || (a.count == 0 && b.count == 0)) std::abort();
    int k = 0;
    for (const fc::BlockSide* s : {&a, &b}) {
      fc::PulledSide side;
      if (!fc::PullSide(lines, k, *s, &side)) std::abort();
      if (fc::AsPrinted(side.stretch) != fc::LinesPrinted(side)) std::abort();
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

// Feeds `line` to a KeyBuilder in pieces of 1 to 40 bytes, the lengths taken from `cuts`.
void CheckPieces(const std::string& line, const std::string& cuts, const fc::KeyOptions& o) {
  std::string scratch, key;
  std::string whole(fc::BuildKey(line, o, &scratch));
  fc::KeyBuilder builder(o);
  fc::KeyHasher pieces_hash, whole_hash;
  builder.Start();
  std::string_view rest = line;
  size_t k = 0;
  do {
    size_t n = cuts.empty() ? 1 : 1 + static_cast<unsigned char>(cuts[k++ % cuts.size()]) % 40;
    std::string_view piece = rest.substr(0, n);
    rest.remove_prefix(piece.size());
    std::string_view out = builder.Feed(piece, rest.empty());
    key += out;
    pieces_hash.Add(out);
  } while (!rest.empty());
  whole_hash.Add(whole);
  uint64_t hash = whole_hash.Finish();
  if (key != whole || pieces_hash.Finish() != hash || fc::KeyHasher::Of(whole) != hash)
    std::abort();
}

// Reads the text of `file` through a TextSource, in file order in pieces of `piece` bytes and
// then backwards from its end, which makes the decoder go back to its restart points; both
// must give the same text.
void CheckReadingBack(const std::string& file, const fc::DecodeSizes& sizes, size_t piece) {
  fc::MemorySource raw(file);
  fc::TextSource text(raw, fc::InputBuffer::kNoLimit, sizes);
  std::string forward, error;
  std::string buffer(piece, '\0');
  for (;;) {
    size_t got = 0;
    if (!text.ReadAt(forward.size(), buffer.data(), piece, &got, &error)) std::abort();
    if (got == 0) break;
    forward.append(buffer, 0, got);
  }
  std::string backward(forward.size(), '\0');
  for (size_t end = forward.size(); end > 0;) {
    size_t at = end > piece ? end - piece : 0;
    for (size_t from = at, got = 0; from < end; from += got)
      if (!text.ReadAt(from, backward.data() + from, end - from, &got, &error) || got == 0)
        std::abort();
    end = at;
  }
  if (backward != forward) std::abort();
}

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
  // Held back from the block's start: often less than the pair, so that lines are read again.
  size_t hold = chunk << (data[1] >> 5);
  std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  size_t split = rest.find('|');
  if (split == std::string::npos) split = rest.size() / 2;
  std::string a = rest.substr(0, split), b = rest.substr(std::min(split + 1, rest.size()));
  CheckPieces(a, b, o.key);
  fc::DecodeSizes sizes{4 + 2 * static_cast<size_t>(data[2] >> 2), 2 + (data[0] >> 3) % 8u};
  CheckReadingBack(a, sizes, 1 + data[3] % 200);
  fc::MemorySource sa(a), sb(b);
  std::string error;
  {
    fc::TextSource ta(sa, fc::InputBuffer::kNoLimit, sizes),
        tb(sb, fc::InputBuffer::kNoLimit, sizes);
    fc::InputBuffer ia(ta, "a", fc::InputBuffer::kNoLimit, chunk, hold),
        ib(tb, "b", fc::InputBuffer::kNoLimit, chunk, hold);
    CheckingSink sink;
    if (fc::CompareText(ia, ib, o, sink, &error) == fc::Outcome::kTrouble) std::abort();
    if (!error.empty()) std::abort();
  }
  {
    fc::InputBuffer ia(sa, "a", a.size(), chunk, chunk), ib(sb, "b", b.size(), chunk, chunk);
    CheckingSink sink;
    fc::Outcome outcome = fc::CompareBinary(ia, ib, sink, &error);
    if (outcome != (a == b ? fc::Outcome::kSame : fc::Outcome::kDifferent)) std::abort();
  }
  return 0;
}
