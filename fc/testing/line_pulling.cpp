#include "fc/testing/line_pulling.h"

namespace fc {

std::string AsPrinted(std::string_view bytes) {
  std::string out;
  while (!bytes.empty()) {
    const size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    out.append(line).push_back('\n');
    bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
  }
  return out;
}

bool PullLine(LineAccess& access, int side, uint64_t line, std::string* text) {
  text->clear();
  std::string_view piece;
  for (bool ends = false; !ends;) {
    if (!access.Text(side, line, text->size(), &piece, &ends) || (piece.empty() && !ends))
      return false;
    text->append(piece);
  }
  return true;
}

bool PullSide(LineAccess& access, int side, const BlockSide& block, PulledSide* pulled) {
  const uint64_t first = block.first - block.has_before;
  const uint64_t end = block.first + block.count + block.has_resync;
  pulled->lines.clear();
  pulled->stretch.clear();
  for (uint64_t line = first; line < end; ++line) {
    if (!PullLine(access, side, line, &pulled->lines.emplace_back())) return false;
  }
  std::string_view piece;
  for (bool ends = false; !ends;) {
    if (!access.Lines(side, first, end - first, pulled->stretch.size(), &piece, &ends) ||
        (piece.empty() && !ends))
      return false;
    pulled->stretch.append(piece);
  }
  return true;
}

std::string LinesPrinted(const PulledSide& pulled) {
  std::string out;
  for (const std::string& line : pulled.lines) out.append(line).push_back('\n');
  return out;
}

}  // namespace fc
