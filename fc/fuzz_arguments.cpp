// libFuzzer target: any command line, split at NUL bytes, must parse without harm, and a
// refusal must be exactly one line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fc/arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  std::vector<std::string> args(1);
  for (size_t k = 0; k < size; ++k) {
    if (data[k] == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[k]));
    }
  }
  fc::Arguments parsed = fc::ParseArguments(args);
  bool refused = parsed.action == fc::Action::kRefuse;
  if (refused != !parsed.complaint.empty()) std::abort();
  if (refused && parsed.complaint.rfind("FC: ", 0) != 0) std::abort();
  if (parsed.action == fc::Action::kCompare) {
    if (parsed.options.max_mismatch == 0 || parsed.options.min_match == 0) std::abort();
    fc::NameChoosesBinary(parsed.file1);
  }
  return 0;
}
