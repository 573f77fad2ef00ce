#include "fc/report.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace fc {
namespace {

// The two upper-case hexadecimal digits of each byte value, in order.
constexpr auto kHexPairs = [] {
  const char digits[] = "0123456789ABCDEF";
  std::array<char, 512> pairs{};
  for (size_t v = 0; v < 256; ++v) {
    pairs[2 * v] = digits[v >> 4];
    pairs[2 * v + 1] = digits[v & 0xF];
  }
  return pairs;
}();

// Writes the two hexadecimal digits of `byte` at `p`.
void PutHex(char* p, unsigned byte) {
  std::memcpy(p, &kHexPairs[2 * byte], 2);
}

}  // namespace

Report::Report(Output& out, std::string name1, std::string name2, bool binary, bool abbreviate,
               bool numbers)
    : out_(out),
      names_{std::move(name1), std::move(name2)},
      binary_(binary),
      abbreviate_(abbreviate),
      numbers_(numbers) {}

bool Report::Start() {
  out_.Write("Comparing files " + names_[0] + " and " + names_[1] + "\n");
  return !out_.failed();
}

bool Report::PrintLine(int k, uint64_t line, LineAccess& lines) {
  std::string_view piece;
  bool ends = false;
  if (!lines.Text(k, line, 0, &piece, &ends)) return false;
  if (numbers_) {
    char number[32];
    int n =
        std::snprintf(number, sizeof number, "%5llu:  ", static_cast<unsigned long long>(line + 1));
    out_.Write(std::string_view(number, static_cast<size_t>(n)));
  }
  out_.Write(piece);
  for (uint64_t from = piece.size(); !ends; from += piece.size()) {
    if (!lines.Text(k, line, from, &piece, &ends)) return false;
    out_.Write(piece);
  }
  out_.Write("\n");
  return true;
}

// Writes `text`, a stretch of lines as they stand in a file, with each CR LF line end as the
// report's LF. A CR at the end of `text` waits in *cr for the next stretch, which shows whether
// an LF follows it.
void Report::WriteLineEnds(std::string_view text, bool* cr) {
  if (*cr && (text.empty() || text.front() != '\n')) out_.Write("\r");
  *cr = false;
  while (!text.empty()) {
    const void* found = std::memchr(text.data(), '\r', text.size());
    if (found == nullptr) {
      out_.Write(text);
      return;
    }
    size_t at = static_cast<size_t>(static_cast<const char*>(found) - text.data());
    out_.Write(text.substr(0, at));
    if (at + 1 == text.size()) {
      *cr = true;
      return;
    }
    if (text[at + 1] != '\n') out_.Write("\r");
    text.remove_prefix(at + 1);
  }
}

// Prints lines first .. first+count-1 of side k. Without numbers they are copied as they stand,
// in big pieces, each line end becoming the report's LF, and a last line without one (the end
// of the file) gets one.
bool Report::PrintLines(int k, uint64_t first, uint64_t count, LineAccess& lines) {
  if (numbers_) {
    for (uint64_t line = first; line < first + count; ++line)
      if (!PrintLine(k, line, lines)) return false;
    return true;
  }
  if (count == 0) return true;
  bool cr = false;
  char last = '\n';
  std::string_view piece;
  bool ends = false;
  for (uint64_t from = 0; !ends; from += piece.size()) {
    if (!lines.Lines(k, first, count, from, &piece, &ends)) return false;
    if (piece.empty()) break;
    WriteLineEnds(piece, &cr);
    last = piece.back();
  }
  if (cr) out_.Write("\r");  // a CR at the very end of a file belongs to its last line
  if (last != '\n') out_.Write("\n");
  return true;
}

bool Report::Side(int k, const BlockSide& side, LineAccess& lines) {
  out_.Write("***** ");
  out_.Write(names_[k]);
  out_.Write("\n");
  // The last equal line before the block, the block, and the first line of the resync point.
  uint64_t first = side.first - (side.has_before ? 1 : 0);
  uint64_t end = side.first + side.count;
  uint64_t stop = end + (side.has_resync ? 1 : 0);
  if (abbreviate_ && side.count >= 3) {
    if (!PrintLines(k, first, side.first + 1 - first, lines)) return false;
    out_.Write("...\n");
    first = end - 1;
  }
  return PrintLines(k, first, stop - first, lines);
}

bool Report::Block(const BlockSide& a, const BlockSide& b, LineAccess& lines) {
  if (!Side(0, a, lines) || !Side(1, b, lines)) return false;
  out_.Write("*****\n\n");
  return !out_.failed();
}

bool Report::ResyncFailed(uint64_t line_a, bool ended_a, uint64_t line_b, bool ended_b) {
  auto where = [](uint64_t line, bool ended) {
    return ended ? std::string("the end") : "line " + std::to_string(line + 1);
  };
  out_.Write("Resync failed.  Files are too different.\n");
  out_.Write("No match found again from " + where(line_a, ended_a) + " of " + names_[0] + " and " +
             where(line_b, ended_b) + " of " + names_[1] + ".\n\n");
  return !out_.failed();
}

bool Report::Difference(uint64_t offset, unsigned char a, unsigned char b) {
  // One such line for each differing byte: a file that differs all through gives a report
  // several times its size, so the line is put together two digits at a time.
  char* line = out_.Reserve(32);
  int digits = 8;
  while (digits < 16 && (offset >> (4 * digits)) != 0) ++digits;
  char* p = line;
  int d = digits;
  if (d % 2 != 0) *p++ = kHexPairs[2 * ((offset >> (4 * --d)) & 0xF) + 1];
  while (d > 0) {
    d -= 2;
    PutHex(p, (offset >> (4 * d)) & 0xFF);
    p += 2;
  }
  p[0] = ':';
  p[1] = ' ';
  PutHex(p + 2, a);
  p[4] = ' ';
  PutHex(p + 5, b);
  p[7] = '\n';
  out_.Commit(static_cast<size_t>(digits) + 8);
  return !out_.failed();
}

bool Report::Longer(int longer) {
  out_.Write("FC: " + names_[longer] + " longer than " + names_[1 - longer] + "\n");
  return !out_.failed();
}

bool Report::Finish(bool differed) {
  if (!differed) out_.Write("FC: no differences encountered\n");
  if (binary_ || !differed) out_.Write("\n");
  return out_.Flush();
}

}  // namespace fc
