// The byte-by-byte comparison (/B, or chosen by the first file's name).
#pragma once

#include <string>

#include "fc/input_buffer.h"
#include "fc/sink.h"

namespace fc {

// Compares the inputs byte by byte over their common length, hands every differing byte to
// `sink` and then says which input is longer. Returns kTrouble after a read error (with the
// report's line in *error) or when the sink stops (with *error left empty).
Outcome CompareBinary(InputBuffer& a, InputBuffer& b, BinarySink& sink, std::string* error);

}  // namespace fc
