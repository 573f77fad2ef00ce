// What the line comparison reads of a file: the text it holds, in UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "fc/decoded_source.h"
#include "fc/source.h"

namespace fc {

// Reads a file's text: when it starts with a byte-order mark, that names its encoding (EF BB BF
// UTF-8, FF FE 00 00 UTF-32 little-endian, 00 00 FE FF UTF-32 big-endian, FF FE otherwise
// UTF-16 little-endian, FE FF UTF-16 big-endian) and is not part of the text, and UTF-16 and
// UTF-32 are decoded into UTF-8 as they are read; a file without a mark is read byte for byte.
// The mark is looked for at the first read.
class TextSource : public Source {
 public:
  // Nothing of `raw` past byte `limit` is read (UINT64_MAX: read to its end).
  TextSource(Source& raw, uint64_t limit, DecodeSizes sizes);

  // Reads text at `offset`; fails when reading `raw` does, with the system's reason.
  bool ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) override;

 private:
  bool ReadMark(std::string* error);

  Source& raw_;
  uint64_t limit_;
  DecodeSizes sizes_;
  bool looked_ = false;
  uint64_t skip_ = 0;  // the mark's length
  std::unique_ptr<DecodedSource> decoded_;
};

}  // namespace fc
