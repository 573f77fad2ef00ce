// Text stored as UTF-16 or UTF-32, read as the UTF-8 text it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fc/source.h"

struct UConverter;

namespace fc {

// The encodings that are decoded as they are read: units of two or four bytes, in either order.
enum class Encoding { kUtf16Le, kUtf16Be, kUtf32Le, kUtf32Be };

// What bounds a decoder's steps and its memory; tests make both tiny, so that units and
// surrogate pairs are cut at every place and the restart points are thinned often.
struct DecodeSizes {
  size_t block = size_t{64} << 10;  // raw bytes decoded in one step: whole units, at least 4
  size_t restarts = 2048;           // the most places kept to decode again from: at least 2
};

// Decodes UTF-16 or UTF-32 text as it is read, into UTF-8, and reads that UTF-8 at any offset,
// like a file: the comparer then treats the decoded text exactly as a UTF-8 file. A unit that
// cannot be decoded (a lone surrogate, a UTF-32 unit past U+10FFFF, a partial last unit)
// becomes U+FFFD.
//
// Reading on from the last read decodes on. An offset behind both of its two decoding places
// is decoded again from the nearest restart point before it: a pair of offsets, decoded and
// raw, where no unit and no surrogate pair is cut in two. Those are kept a step apart at first;
// when there are as many as DecodeSizes allows, every other one is dropped and they are kept
// twice as far apart from then on, so that memory stays bounded however long the file is, and
// reading again from anywhere costs a decoding of at most a fixed share of it.
class DecodedSource : public Source {
 public:
  // The text starts at byte `start` of `raw` (after its mark) and ends where `raw` ends, or at
  // byte `limit`.
  DecodedSource(Source& raw, uint64_t start, uint64_t limit, Encoding encoding, DecodeSizes sizes);
  ~DecodedSource() override;

  // Reads decoded text at `offset`; fails when reading `raw` fails, with the system's reason,
  // or when ICU cannot open its converters, with ICU's. Throws std::bad_alloc when ICU finds no
  // memory.
  bool ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) override;

 private:
  // A place where decoding can start: the raw offset and the decoded offset there.
  struct Place {
    uint64_t decoded;
    uint64_t raw;
  };
  // One place where decoding goes on, with the raw bytes read from it and the text that the
  // step before it decoded, which ends there.
  struct Cursor {
    Place at;
    std::unique_ptr<char[]> raw;
    size_t raw_len = 0;
    bool raw_ended = false;  // no raw bytes follow the raw_len there are
    std::unique_ptr<char[]> text;
    size_t text_len = 0;
    bool ended = false;  // everything is decoded
    uint64_t text_begin() const { return at.decoded - text_len; }
  };

  Cursor& CursorFor(uint64_t offset);
  Place RestartBefore(uint64_t offset) const;
  void Remember(const Place& place);
  bool Refill(Cursor& c, std::string* error);
  bool Step(Cursor& c, char* out, size_t* len, std::string* error);
  bool Decode(const char* p, size_t n, char* out, size_t* len, std::string* error);
  bool OpenConverters(std::string* error);

  Source& raw_;
  uint64_t limit_;
  Encoding encoding_;
  size_t unit_;  // bytes in a unit: 2 or 4
  bool big_endian_;
  size_t max_per_unit_;  // the most UTF-8 bytes that one unit decodes to
  DecodeSizes sizes_;
  size_t max_step_;  // the most text that one step can decode
  Cursor cursors_[2];
  std::vector<Place> restarts_;
  uint64_t spacing_;  // the least raw distance between two restart points
  UConverter* from_unicode_ = nullptr;
  UConverter* to_utf8_ = nullptr;
};

}  // namespace fc
