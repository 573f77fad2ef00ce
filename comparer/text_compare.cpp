#include "comparer/text_compare.h"

#include <algorithm>

#include "comparer/bytes.h"
#include "comparer/line_window.h"
#include "comparer/resync.h"

namespace fc {
namespace {

// Where the walk stands in one file.
struct Side {
  Side(InputBuffer& input, const KeyOptions& key) : in(input), window(input, key) {}

  bool AtEnd() const { return pos >= in.size(); }
  void SetBefore(uint64_t begin, uint64_t end) {
    has_before = true;
    before_begin = begin;
    before_end = end;
  }

  InputBuffer& in;
  LineWindow window;
  uint64_t pos = 0;   // where the next line to compare starts
  uint64_t line = 0;  // its 0-based number
  bool has_before = false;
  uint64_t before_begin = 0;  // the last equal line before `line`
  uint64_t before_end = 0;
};

class TextWalk : public LineAccess {
 public:
  TextWalk(InputBuffer& a, InputBuffer& b, const TextOptions& options, TextSink& sink)
      : options_(options),
        sink_(sink),
        side_{{a, options.key}, {b, options.key}},
        search_(options.key) {}

  Outcome Run(std::string* error);
  bool Text(int side, uint64_t line, std::string_view* text) override;

 private:
  bool SkipIdentical();
  bool Resync(bool* failed_resync);
  Outcome Trouble(std::string* error);

  const TextOptions& options_;
  TextSink& sink_;
  Side side_[2];
  ResyncSearch search_;
  std::string scratch_a_;
  std::string scratch_b_;
};

// While both files go on with the same bytes, whole lines are taken over in big steps with no
// look at single lines: equal bytes are equal lines under every option. It stops at the line
// that holds the first differing byte (which may still be equal by its key, say "a\r\n" and
// "a\n", or under /W), leaving it to the line-by-line compare.
bool TextWalk::SkipIdentical() {
  Side& a = side_[0];
  Side& b = side_[1];
  for (;;) {
    size_t na = 0, nb = 0;
    size_t want = std::max<size_t>(a.in.chunk() / 8, 1);
    const char* pa = a.in.Window(a.pos, want, &na);
    const char* pb = b.in.Window(b.pos, want, &nb);
    if (pa == nullptr || pb == nullptr) return false;
    size_t n = std::min(na, nb);
    if (n == 0) return true;
    size_t same = FirstMismatch(pa, pb, n);
    const char* last = LastNewline(pa, same);
    if (last == nullptr) return true;
    size_t upto = static_cast<size_t>(last - pa) + 1;
    uint64_t lines = CountNewlines(pa, upto);
    const char* prev = LastNewline(pa, upto - 1);
    size_t start = prev ? static_cast<size_t>(prev - pa) + 1 : 0;
    for (Side* s : {&a, &b}) {
      s->SetBefore(s->pos + start, s->pos + upto);
      s->pos += upto;
      s->line += lines;
    }
    if (same < n) return true;
  }
}

bool TextWalk::Text(int side, uint64_t line, std::string_view* text) {
  Side& s = side_[side];
  if (line < s.line) {
    const char* p = s.in.Fetch(s.before_begin, s.before_end - s.before_begin);
    if (p == nullptr) return false;
    *text = StripLineEnd(p, s.before_end - s.before_begin);
    return true;
  }
  return s.window.Text(line - s.line, text, true);
}

// Looks for the resync point from the current lines, reports the block and moves both sides to
// it. Returns false after a read error or when the sink stops.
bool TextWalk::Resync(bool* failed_resync) {
  for (Side& s : side_) {
    s.in.Keep(s.has_before ? s.before_begin : s.pos);
    s.window.Reset(s.pos);
  }
  Side& a = side_[0];
  Side& b = side_[1];
  ResyncPoint point;
  if (!search_.Find(a.window, b.window, options_.max_mismatch, options_.min_match, &point))
    return false;
  if (!point.found) {
    *failed_resync = true;
    return sink_.ResyncFailed(a.line, a.AtEnd(), b.line, b.AtEnd());
  }
  BlockSide block[2];
  uint64_t moves[2] = {point.i, point.j};
  for (int k = 0; k < 2; ++k) {
    Side& s = side_[k];
    block[k] = {s.line, moves[k], s.has_before, moves[k] < s.window.known()};
  }
  if (!sink_.Block(block[0], block[1], *this)) return false;
  for (int k = 0; k < 2; ++k) {
    Side& s = side_[k];
    if (moves[k] > 0) s.SetBefore(s.window.begin(moves[k] - 1), s.window.begin(moves[k]));
    s.pos = s.window.begin(moves[k]);
    s.line += moves[k];
    s.in.Keep(InputBuffer::kNoKeep);
  }
  return true;
}

Outcome TextWalk::Trouble(std::string* error) {
  for (Side& s : side_)
    if (s.in.failed()) {
      *error = s.in.error();
      return Outcome::kTrouble;
    }
  error->clear();
  return Outcome::kTrouble;
}

Outcome TextWalk::Run(std::string* error) {
  Side& a = side_[0];
  Side& b = side_[1];
  bool differed = false;
  for (;;) {
    if (!SkipIdentical()) return Trouble(error);
    if (a.AtEnd() && b.AtEnd()) break;
    if (!a.AtEnd() && !b.AtEnd()) {
      Line la, lb;
      if (!ReadLine(a.in, a.pos, &la) || !ReadLine(b.in, b.pos, &lb)) return Trouble(error);
      if (SameKey(la.text, lb.text, options_.key, &scratch_a_, &scratch_b_)) {
        a.SetBefore(a.pos, la.next);
        b.SetBefore(b.pos, lb.next);
        a.pos = la.next;
        b.pos = lb.next;
        ++a.line;
        ++b.line;
        continue;
      }
    }
    differed = true;
    bool failed_resync = false;
    if (!Resync(&failed_resync)) return Trouble(error);
    if (failed_resync) break;
  }
  if (!sink_.Finish(differed)) return Trouble(error);
  return differed ? Outcome::kDifferent : Outcome::kSame;
}

}  // namespace

Outcome CompareText(InputBuffer& a, InputBuffer& b, const TextOptions& options, TextSink& sink,
                    std::string* error) {
  TextWalk walk(a, b, options, sink);
  return walk.Run(error);
}

}  // namespace fc
