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
// Where a field names a path longer than the system takes, which no comparer
// could open, the box says so instead of claiming that no file was given.
inline constexpr char kSourceTooLongPrompt[] = "The path of the source file is too long";
inline constexpr char kTargetTooLongPrompt[] = "The path of the target file is too long";
inline constexpr char kStartFailedPrompt[] = "Problem executing file compare";

// The critical box of a comparison that did not finish: this line, a blank
// line, the reason's lines, a blank line and the report file's full path.
inline constexpr char kNotFinishedPrompt[] =
    "The comparison did not finish, so its report is incomplete.";
inline constexpr char kEndedBySignal[] = "The comparer was ended by signal ";       // + name + "."
inline constexpr char kEndedWithStatus[] = "The comparer ended with exit status ";  // + n + "."
inline constexpr char kErrorOutput[] = "The comparer wrote:\n";  // + the text, trimmed
// The critical box of a viewer that could not show the report where the
// program's own report window could not either: this text, the viewer's
// reason and ".", a new line, the second text, the system's reason and ".",
// a blank line and the report file's full path.
inline constexpr char kViewerFailedPrompt[] = "The report could not be opened: ";
inline constexpr char kReportUnreadable[] = "Nor could it be read to show it here: ";
inline constexpr char kReportFileLabel[] = "Report file: ";

// What one run reads of the window: the texts of both file fields and the
// option set.
struct CompareInput {
  std::string sourceText;
  std::string targetText;
  OptionSet options;
};

// One press of Compare: reads the window through `readInput` once the error
// handler is in place, shortens both field texts, makes the report file, runs
// the comparer into it through the interpreter, waits for it, and starts the
// viewer on the report only when the comparer finished; where the viewer
// cannot show it, the report opens in the program's own report window. Every failure ends in
// a message box; nothing is thrown. A PlatformError shows its own number;
// running out of memory shows ENOMEM, and any other unexpected failure -1,
// each with its description. A run ended through EndRun shows nothing.
void CompareRun(Platform& platform, const std::function<CompareInput()>& readInput);

}  // namespace varnel
