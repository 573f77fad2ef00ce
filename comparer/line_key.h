// The key of a line: the form in which two lines are compared under /T, /W and /C.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fc {

// Which transformations make up a key, applied in this order: tab expansion, white-space
// compression, case folding.
struct KeyOptions {
  bool expand_tabs = true;      // off with /T
  bool compress_white = false;  // /W
  bool fold_case = false;       // /C
};

// True when some line's key can differ from the line's own bytes under `options`; when false,
// lines are compared byte for byte.
bool KeysCanDiffer(const KeyOptions& options);

// Builds the key of `line` (without its line end). Returns a view of `line` itself when the key
// is the same bytes, else of *scratch, which it overwrites. Never fails: bytes that are not
// valid UTF-8 count as one column each and are folded as ASCII.
std::string_view BuildKey(std::string_view line, const KeyOptions& options, std::string* scratch);

// True when the two lines have the same key; `scratch_a` and `scratch_b` are work space.
bool SameKey(std::string_view a, std::string_view b, const KeyOptions& options,
             std::string* scratch_a, std::string* scratch_b);

// A 64-bit hash of `n` bytes; equal bytes give equal hashes.
uint64_t HashBytes(const char* p, size_t n);

// Decodes one well-formed UTF-8 sequence at the start of the `n` bytes at `p` into *code and
// returns its length, or returns 0 when those bytes do not start with one.
size_t DecodeUtf8(const unsigned char* p, size_t n, char32_t* code);

}  // namespace fc
