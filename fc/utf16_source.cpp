#include "fc/utf16_source.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "fc/bytes.h"

namespace fc {
namespace {

// ASCII runs at least this long are narrowed here, and end a stretch that goes to the
// converter; shorter ones between other characters go to it with them, as a call to it costs
// more than narrowing a few units saves.
constexpr size_t kAsciiRun = 16;

bool IsAscii(const unsigned char* unit, bool big_endian) {
  return unit[big_endian ? 0 : 1] == 0 && unit[big_endian ? 1 : 0] < 0x80;
}

bool IsLeadSurrogate(const unsigned char* unit, bool big_endian) {
  return (unit[big_endian ? 0 : 1] & 0xFC) == 0xD8;
}

// Where the first run of kAsciiRun ASCII units at or after byte `from` of the `n` at `p`
// starts, or `n` when there is none.
size_t NextAsciiRun(const char* p, size_t from, size_t n, bool big_endian) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  size_t run = 0;
  for (size_t at = from; at + 2 <= n; at += 2) {
    run = IsAscii(u + at, big_endian) ? run + 1 : 0;
    if (run == kAsciiRun) return at + 2 - 2 * kAsciiRun;
  }
  return n;
}

// Fails with ICU's name for `status`, or throws std::bad_alloc when it says memory ran out.
bool Failed(UErrorCode status, std::string* error) {
  if (status == U_MEMORY_ALLOCATION_ERROR) throw std::bad_alloc();
  *error = std::string("cannot decode its UTF-16 text - ") + u_errorName(status);
  return false;
}

}  // namespace

Utf16Source::Utf16Source(Source& raw, uint64_t start, uint64_t limit, bool big_endian,
                         DecodeSizes sizes)
    : raw_(raw), limit_(limit), big_endian_(big_endian), sizes_(sizes) {
  sizes_.block = std::max<size_t>(sizes_.block & ~size_t{1}, 4);
  sizes_.restarts = std::max<size_t>(sizes_.restarts, 2);
  // Each unit gives at most 3 bytes of UTF-8 (a surrogate pair 4 for its two), an odd last
  // byte the 3 of U+FFFD.
  max_step_ = sizes_.block / 2 * 3 + 3;
  spacing_ = sizes_.block;
  restarts_.push_back({0, start});
  for (Cursor& c : cursors_) c.at = {0, start};
}

Utf16Source::~Utf16Source() {
  ucnv_close(from_utf16_);
  ucnv_close(to_utf8_);
}

bool Utf16Source::OpenConverters(std::string* error) {
  if (to_utf8_ != nullptr) return true;
  UErrorCode status = U_ZERO_ERROR;
  from_utf16_ = ucnv_open(big_endian_ ? "UTF-16BE" : "UTF-16LE", &status);
  to_utf8_ = ucnv_open("UTF-8", &status);
  if (U_SUCCESS(status)) return true;
  ucnv_close(from_utf16_);
  ucnv_close(to_utf8_);
  from_utf16_ = to_utf8_ = nullptr;
  return Failed(status, error);
}

Utf16Source::Place Utf16Source::RestartBefore(uint64_t offset) const {
  auto after = std::upper_bound(restarts_.begin(), restarts_.end(), offset,
                                [](uint64_t o, const Place& p) { return o < p.decoded; });
  return *(after - 1);  // the first restart point, at the text's start, is never after
}

// Keeps `place`, where a step starts, as a restart point when it lies far enough past the last
// one. When they are as many as allowed, every other one goes, and the rest are twice as far
// apart.
void Utf16Source::Remember(const Place& place) {
  if (place.raw < restarts_.back().raw + spacing_) return;
  if (restarts_.size() >= sizes_.restarts) {
    size_t kept = 0;
    for (size_t k = 0; k < restarts_.size(); k += 2) restarts_[kept++] = restarts_[k];
    restarts_.resize(kept);
    spacing_ *= 2;
    if (place.raw < restarts_.back().raw + spacing_) return;
  }
  restarts_.push_back(place);
}

// The cursor to read `offset` with: one whose text holds it, or that can decode on to it from
// no further back than a restart point; else the cursor that is further behind, moved to the
// restart point before `offset`, so that the other one, which reads on in file order, keeps
// its place.
Utf16Source::Cursor& Utf16Source::CursorFor(uint64_t offset) {
  Cursor* best = nullptr;
  for (Cursor& c : cursors_)
    if (c.text_begin() <= offset && (best == nullptr || c.at.decoded > best->at.decoded)) best = &c;
  Place restart = RestartBefore(offset);
  if (best != nullptr && best->at.decoded >= restart.decoded) return *best;
  Cursor& behind = cursors_[0].at.decoded <= cursors_[1].at.decoded ? cursors_[0] : cursors_[1];
  behind.at = restart;
  behind.raw_len = behind.text_len = 0;
  behind.raw_ended = behind.ended = false;
  return behind;
}

// Reads raw bytes after those that `c` holds until it holds a block or the raw input has ended.
bool Utf16Source::Refill(Cursor& c, std::string* error) {
  if (!c.raw) c.raw.reset(new char[sizes_.block]);
  while (c.raw_len < sizes_.block && !c.raw_ended) {
    uint64_t from = c.at.raw + c.raw_len;
    uint64_t left = from < limit_ ? limit_ - from : 0;
    size_t want = static_cast<size_t>(std::min<uint64_t>(sizes_.block - c.raw_len, left));
    size_t got = 0;
    if (want > 0 && !raw_.ReadAt(from, c.raw.get() + c.raw_len, want, &got, error)) return false;
    c.raw_len += got;
    c.raw_ended = got == 0;
  }
  return true;
}

// Decodes a block of raw bytes from `c` into `out`, which has room for max_step_ bytes, sets
// *len to the length of the text, and moves `c` past them. A lead surrogate at the block's end
// waits for the next block, which holds its partner: every step then starts and ends where no
// surrogate pair is cut, and decoding in steps gives the same text as decoding at once.
bool Utf16Source::Step(Cursor& c, char* out, size_t* len, std::string* error) {
  *len = 0;
  Remember(c.at);
  if (!Refill(c, error)) return false;
  size_t n = c.raw_len;
  const auto* raw = reinterpret_cast<const unsigned char*>(c.raw.get());
  if (!c.raw_ended && IsLeadSurrogate(raw + n - 2, big_endian_)) n -= 2;
  if (!Decode(c.raw.get(), n, out, len, error)) return false;
  std::memmove(c.raw.get(), c.raw.get() + n, c.raw_len - n);
  c.raw_len -= n;
  c.at = {c.at.decoded + *len, c.at.raw + n};
  c.ended = c.raw_ended && c.raw_len == 0;
  return true;
}

// Decodes the `n` raw bytes at `p` into `out` and sets *len to the length of the text: runs of
// ASCII are narrowed here, everything else goes to ICU's converter a stretch at a time. A
// stretch ends before an ASCII unit or where the step ends, so it never cuts a surrogate pair;
// it is converted whole, and what it ends with that cannot be decoded (a lead surrogate, an odd
// last byte) becomes U+FFFD. Fails only when the converters cannot be opened or convert.
bool Utf16Source::Decode(const char* p, size_t n, char* out, size_t* len, std::string* error) {
  size_t pos = 0;
  *len = 0;
  while (pos < n) {
    size_t ascii = NarrowAscii(p + pos, (n - pos) / 2, big_endian_, out + *len);
    pos += 2 * ascii;
    *len += ascii;
    if (pos == n) break;
    // The converters are opened for the first stretch that is not ASCII: a text that has none
    // never loads them.
    if (!OpenConverters(error)) return false;
    size_t end = NextAsciiRun(p, pos + 2, n, big_endian_);
    // Room for the most that the stretch can give; the converters' substitute for a unit that
    // cannot be decoded is U+FFFD.
    char* target = out + *len;
    const char* source = p + pos;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_convertEx(to_utf8_, from_utf16_, &target, target + (end - pos) / 2 * 3 + 3, &source,
                   p + end, nullptr, nullptr, nullptr, nullptr, true, true, &status);
    if (U_FAILURE(status)) return Failed(status, error);
    *len = static_cast<size_t>(target - out);
    pos = end;
  }
  return true;
}

bool Utf16Source::ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) {
  *got = 0;
  Cursor& c = CursorFor(offset);
  // Text read on in file order, into room for whole steps, is decoded straight into `out`.
  while (c.at.decoded == offset + *got && size - *got >= max_step_ && !c.ended) {
    size_t len = 0;
    if (!Step(c, out + *got, &len, error)) return false;
    *got += len;
    c.text_len = 0;
  }
  if (*got > 0) return true;
  if (!c.text) c.text.reset(new char[max_step_]);
  while (offset >= c.at.decoded && !c.ended)
    if (!Step(c, c.text.get(), &c.text_len, error)) return false;
  if (offset >= c.at.decoded) return true;  // at or past the end of the text
  size_t from = static_cast<size_t>(offset - c.text_begin());
  *got = std::min(size, c.text_len - from);
  std::memcpy(out, c.text.get() + from, *got);
  return true;
}

}  // namespace fc
