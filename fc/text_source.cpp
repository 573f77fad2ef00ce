#include "fc/text_source.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace fc {
namespace {

using namespace std::string_view_literals;

// The byte-order marks, and the encoding each names when the text is decoded: UTF-8 is read as
// it stands. FF FE 00 00 comes before FF FE, which it starts with.
struct Mark {
  std::string_view bytes;
  std::optional<Encoding> decoded;
};
constexpr Mark kMarks[] = {{"\xEF\xBB\xBF"sv, std::nullopt},
                           {"\xFF\xFE\0\0"sv, Encoding::kUtf32Le},
                           {"\0\0\xFE\xFF"sv, Encoding::kUtf32Be},
                           {"\xFF\xFE"sv, Encoding::kUtf16Le},
                           {"\xFE\xFF"sv, Encoding::kUtf16Be}};

}  // namespace

TextSource::TextSource(Source& raw, uint64_t limit, DecodeSizes sizes)
    : raw_(raw), limit_(limit), sizes_(sizes) {}

// Reads the first bytes and takes the mark they start with, if any.
bool TextSource::ReadMark(std::string* error) {
  char first[4] = {0, 0, 0, 0};
  size_t have = 0, want = static_cast<size_t>(std::min<uint64_t>(sizeof first, limit_));
  while (have < want) {
    size_t got = 0;
    if (!raw_.ReadAt(have, first + have, want - have, &got, error)) return false;
    if (got == 0) break;
    have += got;
  }
  for (const Mark& mark : kMarks) {
    if (!std::string_view(first, have).starts_with(mark.bytes)) continue;
    if (mark.decoded)
      decoded_ =
          std::make_unique<DecodedSource>(raw_, mark.bytes.size(), limit_, *mark.decoded, sizes_);
    else
      skip_ = mark.bytes.size();
    break;
  }
  looked_ = true;
  return true;
}

bool TextSource::ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) {
  *got = 0;
  if (!looked_ && !ReadMark(error)) return false;
  if (decoded_) return decoded_->ReadAt(offset, out, size, got, error);
  uint64_t at = offset + skip_;
  if (at >= limit_) return true;
  return raw_.ReadAt(at, out, static_cast<size_t>(std::min<uint64_t>(size, limit_ - at)), got,
                     error);
}

}  // namespace fc
