#include "fc/line_key.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fc {
namespace {

constexpr unsigned kTabStop = 8;

// How many bytes the character at the start of the `n` bytes at `p` takes: a well-formed UTF-8
// sequence, whose code point goes to *code, or else one byte, which then stands alone, with
// *code negative. ICU's U8_NEXT reads strictly (no overlong form, surrogate or value past
// U+10FFFF) and tells an ill-formed sequence from a U+FFFD written in the text, which is a
// character like any other. Where it takes several bytes as one ill-formed sequence, a key still
// counts each of them as a column of its own.
size_t NextCharacter(const unsigned char* p, size_t n, UChar32* code) {
  int32_t at = 0;
  U8_NEXT(p, at, static_cast<int32_t>(std::min<size_t>(n, 4)), *code);
  return *code < 0 ? 1 : static_cast<size_t>(at);
}

// Whether the `n` bytes at `p` (p[0] >= 0x80) are fewer than a UTF-8 sequence led by p[0]
// takes: a piece that ends there may have cut the sequence short.
bool CutShort(const unsigned char* p, size_t n) {
  return n <= static_cast<size_t>(U8_COUNT_TRAIL_BYTES(p[0]));
}

// How many of the 16 bytes at `p`, which start a UTF-8 sequence or an ASCII byte, can be
// counted at once, and their columns: every byte is ASCII or part of a well-formed sequence of
// the plain kinds (no lead byte that also limits the byte after it: E0, ED, F0, F4). A sequence
// that goes on past the 16 bytes is left out. Returns 0 when the bytes are not all of that kind.
size_t PlainColumns(const unsigned char* p, unsigned* columns) {
#if defined(__SSE2__)
  // As signed bytes: 80..BF are -128..-65, C2..DF -62..-33, E1..EF -31..-17, F1..F3 -15..-13.
  __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  auto between = [&](int low, int high) {
    return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(low - 1))),
                         _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(high + 1))));
  };
  auto bits = [](__m128i m) { return static_cast<uint32_t>(_mm_movemask_epi8(m)); };
  uint32_t high = bits(v);
  uint32_t cont = bits(_mm_cmplt_epi8(v, _mm_set1_epi8(-64)));
  uint32_t lead2 = bits(between(-62, -33));
  uint32_t lead3 = bits(between(-31, -17)) & ~bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(-19)));
  uint32_t lead4 = bits(between(-15, -13));
  if ((high & ~(cont | lead2 | lead3 | lead4)) != 0) return 0;
  uint32_t across = (lead2 & 0x8000) | (lead3 & 0xC000) | (lead4 & 0xE000);
  size_t take = across ? static_cast<size_t>(__builtin_ctz(across)) : 16;
  uint32_t mask = (uint32_t{1} << take) - 1;
  lead2 &= mask;
  lead3 &= mask;
  lead4 &= mask;
  // The bytes before `take` are counted: their continuation bytes are exactly those that their
  // leads want, and no lead among them wants one at or past `take`.
  uint32_t wanted = lead2 << 1 | lead3 << 1 | lead3 << 2 | lead4 << 1 | lead4 << 2 | lead4 << 3;
  if ((cont & mask) != wanted) return 0;
  *columns = static_cast<unsigned>(take) - static_cast<unsigned>(__builtin_popcount(cont & mask));
  return take;
#else
  (void)p;
  (void)columns;
  return 0;
#endif
}

}  // namespace

bool KeyRestartsAfter(unsigned char c, const KeyOptions& o) {
  if (c >= 0x80 || c == '\r') return false;
  if (o.expand_tabs && !o.compress_white) return c == '\t';
  if (o.compress_white) return c != ' ' && c != '\t';
  return true;
}

// Expanding tabs and then compressing white space gives the same key as compressing alone,
// so /W skips the expansion.
KeyBuilder::KeyBuilder(const KeyOptions& o)
    : tabs_(o.expand_tabs && !o.compress_white), white_(o.compress_white), fold_(o.fold_case) {}

void KeyBuilder::Start() {
  column_ = 0;
  leading_ = true;
  pending_ = false;
  carried_ = 0;
}

void KeyBuilder::StartMidLine() {
  Start();
  leading_ = false;
}

void KeyBuilder::Resume(const KeyBuilder& other) {
  column_ = other.column_;
  leading_ = other.leading_;
  pending_ = other.pending_;
  carried_ = other.carried_;
  std::memcpy(carry_, other.carry_, sizeof carry_);
}

char* KeyBuilder::Room(size_t n) {
  // A tab gives at most eight blanks, a folded character at most one byte more than its own
  // two, and a pending blank one byte: eight bytes of key for each byte in, and one more.
  size_t need = kTabStop * n + kTabStop;
  if (capacity_ < need) {
    buf_.reset(new char[need]);
    capacity_ = need;
  }
  return buf_.get();
}

// Keeps the bytes of p[0..n) from `used` on, the start of a UTF-8 sequence that the piece cut
// short, for the next piece to finish.
void KeyBuilder::CarryTail(const unsigned char* p, size_t n, size_t used) {
  carried_ = n - used;
  if (carried_ > 0) std::memcpy(carry_, p + used, carried_);
}

// Writes the blank that stands for a run of blanks under /W, now that a byte that is not blank
// follows the run.
char* KeyBuilder::EndBlankRun(char* out) {
  if (pending_) *out++ = ' ';
  pending_ = leading_ = false;
  return out;
}

// Writes the key of the ASCII byte `c`.
char* KeyBuilder::PutAscii(unsigned char c, char* out) {
  if (c == ' ' || c == '\t') {
    if (white_) {
      pending_ = pending_ || !leading_;
      return out;
    }
    if (c == '\t' && tabs_) {
      unsigned spaces = kTabStop - column_ % kTabStop;
      std::memset(out, ' ', kTabStop);
      column_ += spaces;
      return out + spaces;
    }
  }
  out = EndBlankRun(out);
  *out++ = static_cast<char>(fold_ && c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  ++column_;
  return out;
}

// Writes the key of the character that starts the `n` bytes at `p` with a byte of 0x80 or more,
// and returns how many bytes it took: a whole UTF-8 sequence, or one byte that starts none.
size_t KeyBuilder::PutSequence(const unsigned char* p, size_t n, char** out) {
  char* o = EndBlankRun(*out);
  UChar32 code;
  size_t len = NextCharacter(p, n, &code);
  if (code >= 0 && fold_) {
    // Unicode simple case folding; other bytes fold as ASCII, which leaves them unchanged.
    int32_t put = 0;
    U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(o), put, u_foldCase(code, U_FOLD_CASE_DEFAULT));
    o += put;
  } else {
    std::memcpy(o, p, len);
    o += len;
  }
  ++column_;
  *out = o;
  return len;
}

// Writes the key of the bytes p[0..n) to *out and returns how many it took: all of them, or all
// but a UTF-8 sequence that the n bytes cut short, unless `last` says no more bytes follow.
size_t KeyBuilder::Build(const unsigned char* p, size_t n, bool last, char** out) {
  char* o = *out;
  size_t at = 0;
  while (at < n) {
    unsigned char c = p[at];
    if (c < 0x80) {
      o = PutAscii(c, o);
      ++at;
      continue;
    }
    if (!last && CutShort(p + at, n - at)) break;
    at += PutSequence(p + at, n - at, &o);
  }
  *out = o;
  return at;
}

// Counts the columns of p[0..n) as Build would and returns how many bytes it took: all but a
// UTF-8 sequence that the n bytes cut short.
size_t KeyBuilder::CountColumns(const unsigned char* p, size_t n) {
  size_t at = 0;
  while (at < n) {
    unsigned columns = 0;
    size_t took = n - at >= 16 ? PlainColumns(p + at, &columns) : 0;
    if (took > 0) {
      column_ += columns;
      at += took;
      continue;
    }
    if (p[at] < 0x80) {
      ++column_;
      ++at;
      continue;
    }
    if (CutShort(p + at, n - at)) break;
    UChar32 code;
    at += NextCharacter(p + at, n - at, &code);
    ++column_;
  }
  return at;
}

// Under tab expansion alone, a piece without a tab is its own key; only the column goes on, for
// a tab in a later piece.
std::string_view KeyBuilder::FeedTabFree(std::string_view piece, bool last) {
  if (last) return piece;
  const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
  size_t used = CountColumns(p, piece.size());
  CarryTail(p, piece.size(), used);
  return piece.substr(0, used);
}

// Finishes the UTF-8 sequence carried from the last piece on a copy joined with the first bytes
// of p[0..n), writing its key to *out, and sets *took to how many of those bytes it used; four
// are all that a sequence begun in the carried bytes can take. Returns false when even they do
// not finish it: the joined bytes are then carried on.
bool KeyBuilder::FinishCarried(const unsigned char* p, size_t n, bool last, char** out,
                               size_t* took) {
  unsigned char joined[8];
  size_t old = carried_, take = std::min<size_t>(n, 4);
  std::memcpy(joined, carry_, old);
  if (take > 0) std::memcpy(joined + old, p, take);
  carried_ = 0;
  size_t at = Build(joined, old + take, last && take == n, out);
  if (at < old) {
    CarryTail(joined, old + take, at);
    return false;
  }
  *took = at - old;
  return true;
}

std::string_view KeyBuilder::Take(std::string_view* text, bool ends) {
  std::string_view piece = text->substr(0, kPiece);
  text->remove_prefix(piece.size());
  return Feed(piece, ends && text->empty());
}

std::string_view KeyBuilder::Feed(std::string_view piece, bool last) {
  if (!tabs_ && !white_ && !fold_) return piece;
  const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
  size_t n = piece.size();
  if (tabs_ && !fold_ && carried_ == 0 && (n == 0 || std::memchr(p, '\t', n) == nullptr))
    return FeedTabFree(piece, last);
  char* const start = Room(n + carried_);
  char* out = start;
  size_t from = 0;
  if (carried_ == 0 || FinishCarried(p, n, last, &out, &from)) {
    size_t used = from + Build(p + from, n - from, last, &out);
    CarryTail(p, n, used);
  }
  return std::string_view(start, static_cast<size_t>(out - start));
}

void KeyBuilder::Skip(std::string_view piece) {
  if (!tabs_ && !white_ && !fold_) return;
  const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
  size_t n = piece.size();
  if (tabs_ && !fold_ && carried_ == 0 && n > 0) {
    // After a tab the column is a multiple of eight again.
    size_t from = 0;
    if (const void* tab = memrchr(p, '\t', n)) {
      from = static_cast<size_t>(static_cast<const unsigned char*>(tab) - p) + 1;
      column_ = 0;
    }
    CarryTail(p, n, from + CountColumns(p + from, n - from));
    return;
  }
  while (!piece.empty()) Take(&piece, false);
}

std::string_view BuildKey(std::string_view line, const KeyOptions& options, std::string* scratch) {
  KeyBuilder builder(options);
  builder.Start();
  std::string_view key = builder.Feed(line, true);
  if (key.data() == line.data()) return line;
  scratch->assign(key);
  return *scratch;
}

}  // namespace fc
