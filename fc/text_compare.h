// The line-by-line comparison.
#pragma once

#include <cstdint>
#include <string>

#include "fc/input_buffer.h"
#include "fc/line_key.h"
#include "fc/sink.h"

namespace fc {

// The switches that shape a text comparison.
struct TextOptions {
  KeyOptions key;
  uint64_t max_mismatch = 100;  // /LB
  uint64_t min_match = 2;       // /<count>
};

// Compares the two inputs line by line and hands each block of differences to `sink`, in file
// order. Returns kTrouble after a read error (with the report's line for it in *error) or when
// the sink stops taking results (with *error left empty).
Outcome CompareText(InputBuffer& a, InputBuffer& b, const TextOptions& options, TextSink& sink,
                    std::string* error);

}  // namespace fc
