// Reading the comparer's command line: switches and the two file names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fc {

// Everything the switches can change. Counts are clamped to kCountLimit, which is more lines
// than any file can hold, so a larger count behaves exactly like an unlimited one.
struct Options {
  bool abbreviate = false;      // /A
  bool binary = false;          // /B
  bool ignore_case = false;     // /C
  bool force_text = false;      // /L
  bool line_numbers = false;    // /N
  bool keep_tabs = false;       // /T
  bool compress_white = false;  // /W
  uint64_t max_mismatch = 100;  // /LB<count>
  uint64_t min_match = 2;       // /<count>
};

inline constexpr uint64_t kCountLimit = uint64_t{1} << 48;

// What the command line asks for.
enum class Action { kCompare, kUsage, kRefuse };

// The parsed command line. With kRefuse, `complaint` holds the one-line reason.
struct Arguments {
  Action action = Action::kRefuse;
  Options options;
  std::string file1;
  std::string file2;
  std::string complaint;
};

// Parses the arguments after the program name. Never fails by other means than returning
// Action::kRefuse with a complaint that names the offending argument and says why.
Arguments ParseArguments(const std::vector<std::string>& args);

// The text printed for /?, ending in a newline.
std::string UsageText();

// True when the first file's name chooses a binary comparison (by its extension).
bool NameChoosesBinary(const std::string& name);

}  // namespace fc
