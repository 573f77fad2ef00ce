#include "fc/text_compare.h"

#include <algorithm>

#include "fc/bytes.h"
#include "fc/line_reader.h"
#include "fc/line_window.h"
#include "fc/resync_search.h"

namespace fc {
namespace {

// Where the walk stands in one file.
struct Side {
  Side(InputBuffer& input, const KeyOptions& key) : in(input), window(input, key) { in.Keep(0); }

  // Whether the file ends at `pos`; sure once the walk has asked the input for the bytes there.
  bool AtEnd() const { return in.Ended(pos); }
  // Moves on over the line at `pos`, which ends where `next` starts.
  void Pass(uint64_t next) {
    ++line;
    pos = next;
  }
  // The input keeps the bytes from the last equal line on, which the report may print, while
  // it can: the lines after it are then read again neither by the search nor by the report.
  void SetBefore(uint64_t begin, uint64_t end) {
    has_before = true;
    before_begin = begin;
    before_end = end;
    in.Keep(begin);
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
        search_(options.key),
        key_a_(options.key),
        key_b_(options.key) {}

  Outcome Run(std::string* error);
  bool Text(int side, uint64_t line, uint64_t from, std::string_view* piece, bool* ends) override;
  bool Lines(int side, uint64_t first, uint64_t count, uint64_t from, std::string_view* piece,
             bool* ends) override;

 private:
  bool SkipIdentical();
  bool CompareLines(bool* same, uint64_t* next_a, uint64_t* next_b);
  void TakeEqualPart(const char* p, size_t same, uint64_t lines, bool differs);
  bool Resync(bool* failed_resync);
  Outcome Trouble(std::string* error);

  const TextOptions& options_;
  TextSink& sink_;
  Side side_[2];
  ResyncSearch search_;
  KeyBuilder key_a_;
  KeyBuilder key_b_;
  // After SkipIdentical: the next lines of both files start with `equal_` bytes that are the
  // same in both, and their keys can be built afresh from byte `restart_` of them on.
  uint64_t equal_ = 0;
  uint64_t restart_ = 0;
};

// Takes over the first `same` bytes at `p`, the same in both files, starting `equal_` bytes
// into the next lines: whole lines go by, `lines` of them, and the rest is added to the equal
// start of the line that goes on past them. `differs` says the files differ right after them.
void TextWalk::TakeEqualPart(const char* p, size_t same, uint64_t lines, bool differs) {
  const char* last = lines > 0 ? LastNewline(p, same) : nullptr;
  size_t from = 0;
  if (last != nullptr) {
    size_t upto = static_cast<size_t>(last - p) + 1;
    const char* prev = LastNewline(p, upto - 1);
    uint64_t start = prev ? equal_ + static_cast<uint64_t>(prev - p) + 1 : 0;
    // Each input byte is read once. Lines are numbered here, counted while their bytes were
    // compared, the same count for both files, and never by reading the passed part of a file
    // again. The inputs hold their bytes from the last equal line on (see Side::SetBefore), so
    // that neither the resync search nor the report reads them again. Only the lines of a block
    // that come to more than an input's hold are fetched again where they are needed: a line
    // the report prints, a very long differing line whose key is built from where it can start
    // afresh or hashed for the search, the lines of a very long block; never anything before
    // the block.
    for (Side& s : side_) {
      s.SetBefore(s.pos + start, s.pos + equal_ + upto);
      s.pos += equal_ + upto;
      s.line += lines;
    }
    equal_ = restart_ = 0;
    from = upto;
  }
  // Where the key can start afresh: only the last bytes are searched for it unless this is
  // where the files differ, so that a long equal line costs no second pass.
  size_t look = same - from;
  if (!differs && look > 64) look = 64;
  for (size_t k = same; k > same - look; --k) {
    if (KeyRestartsAfter(static_cast<unsigned char>(p[k - 1]), options_.key)) {
      restart_ = equal_ + (k - from);
      break;
    }
  }
  equal_ += same - from;
}

// While both files go on with the same bytes, whole lines are taken over in big steps with no
// look at single lines: equal bytes are equal lines under every option. It stops in the line
// that holds the first differing byte (which may still be equal by its key, say "a\r\n" and
// "a\n", or under /W), leaving it to the line-by-line compare, or at the end of both files.
bool TextWalk::SkipIdentical() {
  Side& a = side_[0];
  Side& b = side_[1];
  equal_ = restart_ = 0;
  for (;;) {
    size_t na = 0, nb = 0;
    // Whatever the windows hold: an input reads on only once its window is used up, so that
    // the bytes it keeps when it moves are only those of the last lines, not a piece still to
    // be compared.
    const char* pa = a.in.Window(a.pos + equal_, 1, &na);
    const char* pb = b.in.Window(b.pos + equal_, 1, &nb);
    if (pa == nullptr || pb == nullptr) return false;
    size_t n = std::min(na, nb);
    if (n == 0) {
      // Both files end with the same last line, one without a line end.
      if (equal_ > 0 && a.in.Ended(a.pos + equal_) && b.in.Ended(b.pos + equal_)) {
        for (Side& s : side_) {
          s.SetBefore(s.pos, s.pos + equal_);
          s.Pass(s.pos + equal_);
        }
        equal_ = restart_ = 0;
      }
      return true;
    }
    uint64_t lines = 0;
    size_t same = FirstMismatchCounting(pa, pb, n, &lines);
    TakeEqualPart(pa, same, lines, same < n);
    if (same < n) return true;
  }
}

// Compares the next lines of both files by key and sets where the lines after them start. The
// lines' equal start gives the same key on both sides, so only side A's builder goes over it,
// from the last place where a key can start afresh and keeping only what it carries on, and
// side B's takes that over; the keys are compared from the first differing byte on. A CR that
// ends the equal start may end one line and not the other, so it is left to the comparison.
// Returns false after a read error.
bool TextWalk::CompareLines(bool* same, uint64_t* next_a, uint64_t* next_b) {
  Side& a = side_[0];
  Side& b = side_[1];
  if (restart_ > 0) {
    key_a_.StartMidLine();
  } else {
    key_a_.Start();
  }
  uint64_t from = restart_;
  LineReader shared(a.in, a.pos + from, a.pos + equal_, Fetching::kMoveWindow);
  std::string_view piece;
  do {
    if (!shared.Next(&piece)) return false;
    if (shared.ended() && !piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    key_a_.Skip(piece);
    from += piece.size();
  } while (!shared.ended());
  key_b_.Resume(key_a_);
  KeyReader ka(LineReader(a.in, a.pos + from), key_a_), kb(LineReader(b.in, b.pos + from), key_b_);
  if (!SameLine(ka, kb, same)) return false;
  *next_a = ka.next_start();
  *next_b = kb.next_start();
  return true;
}

bool TextWalk::Text(int side, uint64_t line, uint64_t from, std::string_view* piece, bool* ends) {
  Side& s = side_[side];
  bool before = line < s.line;
  uint64_t k = line - s.line;
  // The line before the block may lie behind the window: it is fetched alone. The block's own
  // lines come in file order, so the window moves along with them.
  LineReader reader(s.in, (before ? s.before_begin : s.window.begin(k)) + from,
                    before ? s.before_end : s.window.begin(k + 1),
                    before ? Fetching::kLineAlone : Fetching::kMoveWindow);
  if (!reader.Next(piece)) return false;
  *ends = reader.ended();
  return true;
}

bool TextWalk::Lines(int side, uint64_t first, uint64_t count, uint64_t from,
                     std::string_view* piece, bool* ends) {
  Side& s = side_[side];
  // Line s.line is the window's first; the only one before it is the last equal line, which
  // ends where the window starts.
  auto start = [&](uint64_t line) {
    return line < s.line ? s.before_begin : s.window.begin(line - s.line);
  };
  uint64_t pos = start(first) + from, end = start(first + count);
  size_t avail = 0;
  // Whatever the input's window holds from pos on: asking for more would read a whole chunk
  // for each of many short blocks.
  const char* p = pos < end ? s.in.Window(pos, 1, &avail) : "";
  if (p == nullptr) return false;
  avail = static_cast<size_t>(std::min<uint64_t>(avail, end - pos));
  *piece = std::string_view(p, avail);
  *ends = pos + avail >= end;
  return true;
}

// Looks for the resync point from the current lines, reports the block and moves both sides to
// it. Returns false after a read error or when the sink stops.
bool TextWalk::Resync(bool* failed_resync) {
  // The first lines' equal start holds no line end, and has been read.
  for (Side& s : side_) s.window.Reset(s.pos, s.pos + equal_);
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
      bool same = false;
      uint64_t next_a = 0, next_b = 0;
      if (!CompareLines(&same, &next_a, &next_b)) return Trouble(error);
      if (same) {
        a.SetBefore(a.pos, next_a);
        b.SetBefore(b.pos, next_b);
        a.Pass(next_a);
        b.Pass(next_b);
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
