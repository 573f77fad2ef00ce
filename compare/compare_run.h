#pragma once

#include <functional>
#include <string>

#include "compare/switches.h"

namespace varnel {

class Platform;

// The prompts and titles the compare run shows.
inline constexpr char kCompareTitle[] = "File Compare";
inline constexpr char kNoSourcePrompt[] = "Give us a source file, please";
inline constexpr char kNoTargetPrompt[] = "Give us a target file, please";
inline constexpr char kStartFailedPrompt[] = "Problem executing file compare";

// One press of Compare: shortens both field texts, makes the report file,
// runs the comparer into it through the interpreter, waits for it, and starts
// the viewer on the report. Every failure ends in a message box; nothing is
// thrown. A PlatformError shows its own number; running out of memory shows
// ENOMEM, and any other unexpected failure -1, each with its description.
void CompareRun(Platform& platform, const std::string& sourceText, const std::string& targetText,
                const OptionSet& options);

// What one run reads of the window: the texts of both file fields and the
// option set.
struct CompareInput {
  std::string sourceText;
  std::string targetText;
  OptionSet options;
};

// The same run, reading its input through `readInput` once the error handler
// is in place, so a failure while reading the window shows the error box too.
void CompareRun(Platform& platform, const std::function<CompareInput()>& readInput);

}  // namespace varnel
