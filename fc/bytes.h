// Fast scans over raw bytes, used where long runs of input are identical.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fc {

// Returns the index of the first byte where `a` and `b` differ, or `n` when all `n` agree.
size_t FirstMismatch(const char* a, const char* b, size_t n);

// The same as FirstMismatch, and adds the line feeds among the bytes before the one returned
// to *newlines: counted while the bytes are at hand, which costs little besides comparing them.
size_t FirstMismatchCounting(const char* a, const char* b, size_t n, uint64_t* newlines);

// Counts the line feeds in the `n` bytes at `p`.
size_t CountNewlines(const char* p, size_t n);

// Returns the last line feed among the `n` bytes at `p`, or nullptr when there is none.
const char* LastNewline(const char* p, size_t n);

// Finds the first line feeds among the `n` bytes at `p` (n below 2^31), at most `max` of them,
// and writes their offsets from `p` to `ends`, in order, each with kTabBefore added when a tab
// lies between it and the line feed before it (or `p`). Returns how many it found.
constexpr uint32_t kTabBefore = uint32_t{1} << 31;
size_t FindLineEnds(const char* p, size_t n, uint32_t* ends, size_t max);

// Copies the leading UTF-16 units among the `n` at `p` (big- or little-endian) that are ASCII
// to `out`, one byte each, and returns how many there were.
size_t NarrowAscii16(const char* p, size_t n, bool big_endian, char* out);

// The same for UTF-32 units.
size_t NarrowAscii32(const char* p, size_t n, bool big_endian, char* out);

}  // namespace fc
