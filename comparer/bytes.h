// Fast scans over raw bytes, used where long runs of input are identical.
#pragma once

#include <cstddef>

namespace fc {

// Returns the index of the first byte where `a` and `b` differ, or `n` when all `n` agree.
size_t FirstMismatch(const char* a, const char* b, size_t n);

// Counts the line feeds in the `n` bytes at `p`.
size_t CountNewlines(const char* p, size_t n);

// Returns the last line feed among the `n` bytes at `p`, or nullptr when there is none.
const char* LastNewline(const char* p, size_t n);

}  // namespace fc
