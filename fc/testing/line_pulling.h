// Pulling a block's lines through LineAccess the way the report does, for the tests and fuzz
// targets that check what the engine hands its sink; built into those only, never into fc.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fc/sink.h"

namespace fc {

// The lines in `bytes` as a report prints them: each line end, LF or CR LF, an LF, and an LF
// after a last line that has none.
std::string AsPrinted(std::string_view bytes);

// Pulls the whole text of line `line` of `side` into *text, piece by piece. False when a read
// fails or a piece breaks LineAccess's promise (empty before the text ends).
bool PullLine(LineAccess& access, int side, uint64_t line, std::string* text);

// One side of a block as a sink can read it: each line from the one before the block to the
// resync line, pulled one by one, and the bytes of those lines pulled as one stretch.
struct PulledSide {
  std::vector<std::string> lines;
  std::string stretch;
};

// Pulls side `side` of a block whose lines on that side `block` gives into *pulled. False as
// for PullLine, with what was pulled until then.
bool PullSide(LineAccess& access, int side, const BlockSide& block, PulledSide* pulled);

// The pulled lines printed one by one, each followed by an LF: what AsPrinted must make of the
// stretch.
std::string LinesPrinted(const PulledSide& pulled);

}  // namespace fc
