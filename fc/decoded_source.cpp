#include "fc/decoded_source.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "fc/bytes.h"

namespace fc {
namespace {

// ASCII runs at least this long are narrowed here, and end a stretch that goes to the
// converter; shorter ones between other characters go to it with them, as a call to it costs
// more than narrowing a few units saves.
constexpr size_t kAsciiRun = 16;

bool IsLeadSurrogate(const unsigned char* unit, bool big_endian) {
  return (unit[big_endian ? 0 : 1] & 0xFC) == 0xD8;
}

// Where the first run of kAsciiRun ASCII units at or after byte `from` of the `n` at `p`
// starts, or `n` when there is none. Unit is uint16_t for UTF-16, uint32_t for UTF-32.
template <typename Unit>
size_t NextAsciiRun(const char* p, size_t from, size_t n, bool big_endian) {
  // A unit, read in this machine's byte order, is ASCII when it has none of the bits of
  // `not_ascii` set: all but the low seven of its value.
  Unit not_ascii = static_cast<Unit>(~Unit{0x7F});
  if (big_endian != (std::endian::native == std::endian::big)) {
    not_ascii = sizeof(Unit) == 2 ? static_cast<Unit>(__builtin_bswap16(not_ascii))
                                  : static_cast<Unit>(__builtin_bswap32(not_ascii));
  }
  size_t run = 0;
  for (size_t at = from; at + sizeof(Unit) <= n; at += sizeof(Unit)) {
    Unit unit;
    std::memcpy(&unit, p + at, sizeof unit);
    run = (unit & not_ascii) == 0 ? run + 1 : 0;
    if (run == kAsciiRun) return at + sizeof(Unit) - sizeof(Unit) * kAsciiRun;
  }
  return n;
}

const char* IcuName(Encoding encoding) {
  switch (encoding) {
    case Encoding::kUtf16Le:
      return "UTF-16LE";
    case Encoding::kUtf16Be:
      return "UTF-16BE";
    case Encoding::kUtf32Le:
      return "UTF-32LE";
    case Encoding::kUtf32Be:
      return "UTF-32BE";
  }
  return "UTF-16LE";
}

// Fails with ICU's name for `status`, or throws std::bad_alloc when it says memory ran out.
bool Failed(UErrorCode status, Encoding encoding, std::string* error) {
  if (status == U_MEMORY_ALLOCATION_ERROR) throw std::bad_alloc();
  // "UTF-16LE" and the like, without the byte order.
  *error =
      "cannot decode its " + std::string(IcuName(encoding), 6) + " text - " + u_errorName(status);
  return false;
}

}  // namespace

DecodedSource::DecodedSource(Source& raw, uint64_t start, uint64_t limit, Encoding encoding,
                             DecodeSizes sizes)
    : raw_(raw),
      limit_(limit),
      encoding_(encoding),
      unit_(encoding == Encoding::kUtf32Le || encoding == Encoding::kUtf32Be ? 4 : 2),
      big_endian_(encoding == Encoding::kUtf16Be || encoding == Encoding::kUtf32Be),
      // A UTF-16 unit gives at most 3 bytes of UTF-8 (a surrogate pair 4 for its two), a
      // UTF-32 unit at most 4; a partial last unit gives the 3 of U+FFFD.
      max_per_unit_(unit_ == 2 ? 3 : 4),
      sizes_(sizes) {
  sizes_.block = std::max<size_t>(sizes_.block - sizes_.block % unit_, 4);
  sizes_.restarts = std::max<size_t>(sizes_.restarts, 2);
  max_step_ = sizes_.block / unit_ * max_per_unit_ + 3;
  spacing_ = sizes_.block;
  restarts_.push_back({0, start});
  for (Cursor& c : cursors_) c.at = {0, start};
}

DecodedSource::~DecodedSource() {
  ucnv_close(from_unicode_);
  ucnv_close(to_utf8_);
}

bool DecodedSource::OpenConverters(std::string* error) {
  if (to_utf8_ != nullptr) return true;
  UErrorCode status = U_ZERO_ERROR;
  from_unicode_ = ucnv_open(IcuName(encoding_), &status);
  to_utf8_ = ucnv_open("UTF-8", &status);
  if (U_SUCCESS(status)) return true;
  ucnv_close(from_unicode_);
  ucnv_close(to_utf8_);
  from_unicode_ = to_utf8_ = nullptr;
  return Failed(status, encoding_, error);
}

DecodedSource::Place DecodedSource::RestartBefore(uint64_t offset) const {
  auto after = std::upper_bound(restarts_.begin(), restarts_.end(), offset,
                                [](uint64_t o, const Place& p) { return o < p.decoded; });
  return *(after - 1);  // the first restart point, at the text's start, is never after
}

// Keeps `place`, where a step starts, as a restart point when it lies far enough past the last
// one. When they are as many as allowed, every other one goes, and the rest are twice as far
// apart.
void DecodedSource::Remember(const Place& place) {
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
DecodedSource::Cursor& DecodedSource::CursorFor(uint64_t offset) {
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
bool DecodedSource::Refill(Cursor& c, std::string* error) {
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
// *len to the length of the text, and moves `c` past them. A block holds whole units until the
// raw input ends; a UTF-16 lead surrogate at the block's end waits for the next block, which
// holds its partner. Every step then starts and ends where no unit and no surrogate pair is cut,
// and decoding in steps gives the same text as decoding at once.
bool DecodedSource::Step(Cursor& c, char* out, size_t* len, std::string* error) {
  *len = 0;
  Remember(c.at);
  if (!Refill(c, error)) return false;
  size_t n = c.raw_len;
  const auto* raw = reinterpret_cast<const unsigned char*>(c.raw.get());
  if (unit_ == 2 && !c.raw_ended && IsLeadSurrogate(raw + n - 2, big_endian_)) n -= 2;
  if (!Decode(c.raw.get(), n, out, len, error)) return false;
  std::memmove(c.raw.get(), c.raw.get() + n, c.raw_len - n);
  c.raw_len -= n;
  c.at = {c.at.decoded + *len, c.at.raw + n};
  c.ended = c.raw_ended && c.raw_len == 0;
  return true;
}

// Decodes the `n` raw bytes at `p` into `out` and sets *len to the length of the text: runs of
// ASCII are narrowed here, everything else goes to ICU's converter a stretch at a time. A
// stretch ends before an ASCII unit or where the step ends, so it never cuts a unit or a
// surrogate pair; it is converted whole, and what it ends with that cannot be decoded (a lead
// surrogate, a partial last unit) becomes U+FFFD. Fails only when the converters cannot be
// opened or convert.
bool DecodedSource::Decode(const char* p, size_t n, char* out, size_t* len, std::string* error) {
  size_t pos = 0;
  *len = 0;
  while (pos < n) {
    size_t units = (n - pos) / unit_;
    size_t ascii = unit_ == 2 ? NarrowAscii16(p + pos, units, big_endian_, out + *len)
                              : NarrowAscii32(p + pos, units, big_endian_, out + *len);
    pos += unit_ * ascii;
    *len += ascii;
    if (pos == n) break;
    // The converters are opened for the first stretch that is not ASCII: a text that has none
    // never loads them.
    if (!OpenConverters(error)) return false;
    size_t end = unit_ == 2 ? NextAsciiRun<uint16_t>(p, pos + 2, n, big_endian_)
                            : NextAsciiRun<uint32_t>(p, pos + 4, n, big_endian_);
    // Room for the most that the stretch can give; the converters' substitute for a unit that
    // cannot be decoded is U+FFFD.
    char* target = out + *len;
    const char* source = p + pos;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_convertEx(to_utf8_, from_unicode_, &target,
                   target + (end - pos) / unit_ * max_per_unit_ + 3, &source, p + end, nullptr,
                   nullptr, nullptr, nullptr, true, true, &status);
    if (U_FAILURE(status)) return Failed(status, encoding_, error);
    *len = static_cast<size_t>(target - out);
    pos = end;
  }
  return true;
}

bool DecodedSource::ReadAt(uint64_t offset, char* out, size_t size, size_t* got,
                           std::string* error) {
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
