#include "comparer/line_key.h"

#include <unicode/uchar.h>

#include <cstring>

namespace fc {
namespace {

constexpr int kTabStop = 8;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Tabs move to the next multiple of eight columns; a column is one code point, or one byte
// where the bytes are not valid UTF-8.
void ExpandTabs(std::string_view in, std::string* out) {
  out->clear();
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  size_t column = 0;
  for (size_t at = 0; at < in.size();) {
    if (p[at] == '\t') {
      size_t spaces = kTabStop - column % kTabStop;
      out->append(spaces, ' ');
      column += spaces;
      ++at;
      continue;
    }
    char32_t code;
    size_t len = p[at] < 0x80 ? 1 : DecodeUtf8(p + at, in.size() - at, &code);
    if (len == 0) len = 1;
    out->append(in.data() + at, len);
    column += 1;
    at += len;
  }
}

// Runs of blanks and tabs become one blank; those at either end go.
void CompressWhite(std::string_view in, std::string* out) {
  out->clear();
  size_t at = 0;
  while (at < in.size() && IsBlank(in[at])) ++at;
  size_t end = in.size();
  while (end > at && IsBlank(in[end - 1])) --end;
  bool in_run = false;
  for (; at < end; ++at) {
    if (IsBlank(in[at])) {
      in_run = true;
      continue;
    }
    if (in_run) out->push_back(' ');
    in_run = false;
    out->push_back(in[at]);
  }
}

// Unicode simple case folding for valid UTF-8; other bytes fold as ASCII (which leaves
// bytes from 0x80 up unchanged).
void FoldCase(std::string_view in, std::string* out) {
  out->clear();
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  for (size_t at = 0; at < in.size();) {
    if (p[at] < 0x80) {
      char c = in[at++];
      out->push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
      continue;
    }
    char32_t code;
    size_t len = DecodeUtf8(p + at, in.size() - at, &code);
    if (len == 0) {
      out->push_back(in[at++]);
      continue;
    }
    AppendUtf8(static_cast<char32_t>(u_foldCase(static_cast<UChar32>(code), U_FOLD_CASE_DEFAULT)),
               out);
    at += len;
  }
}

}  // namespace

bool KeysCanDiffer(const KeyOptions& o) {
  return o.expand_tabs || o.compress_white || o.fold_case;
}

std::string_view BuildKey(std::string_view line, const KeyOptions& o, std::string* scratch) {
  // Expanding tabs and then compressing white space gives the same key as compressing alone,
  // so /W skips the expansion.
  bool tabs = o.expand_tabs && !o.compress_white && line.find('\t') != std::string_view::npos;
  if (!tabs && !o.compress_white && !o.fold_case) return line;
  std::string_view key = line;
  if (tabs) {
    ExpandTabs(key, scratch);
    key = *scratch;
  } else if (o.compress_white) {
    CompressWhite(key, scratch);
    key = *scratch;
  }
  if (o.fold_case) {
    thread_local std::string step;
    step.assign(key);
    FoldCase(step, scratch);
    key = *scratch;
  }
  return key;
}

bool SameKey(std::string_view a, std::string_view b, const KeyOptions& o, std::string* scratch_a,
             std::string* scratch_b) {
  if (a == b) return true;
  if (!KeysCanDiffer(o)) return false;
  return BuildKey(a, o, scratch_a) == BuildKey(b, o, scratch_b);
}

uint64_t HashBytes(const char* p, size_t n) {
  constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;
  uint64_t h = 0x243F6A8885A308D3ull ^ (n * kMul);
  size_t at = 0;
  for (; at + 8 <= n; at += 8) {
    uint64_t w;
    std::memcpy(&w, p + at, 8);
    h = (h ^ w) * kMul;
    h ^= h >> 29;
  }
  uint64_t tail = 0;
  for (size_t k = 0; at + k < n; ++k)
    tail |= static_cast<uint64_t>(static_cast<unsigned char>(p[at + k])) << (8 * k);
  h = (h ^ tail) * kMul;
  // Final avalanche (the finaliser of MurmurHash3), so that every input bit reaches every
  // output bit.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

size_t DecodeUtf8(const unsigned char* p, size_t n, char32_t* code) {
  if (n == 0) return 0;
  unsigned char b0 = p[0];
  if (b0 < 0x80) {
    *code = b0;
    return 1;
  }
  size_t len;
  char32_t c;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, c = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, c = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, c = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (n < len) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((p[k] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (p[k] & 0x3F);
  }
  // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not valid UTF-8.
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  *code = c;
  return len;
}

}  // namespace fc
