#pragma once

#include <functional>
#include <string>

#include "compare/program_text.h"
#include "compare/switches.h"

namespace varnel {

class Platform;

// The prompts and titles the compare run shows, as written; the boxes show
// them in the user's language (Platform::Translated, in kTextContext).
inline constexpr char kTextContext[] = "CompareRun";
inline constexpr char kCompareTitle[] = QT_TRANSLATE_NOOP("CompareRun", "File Compare");
inline constexpr char kNoSourcePrompt[] =
    QT_TRANSLATE_NOOP("CompareRun", "Give us a source file, please");
inline constexpr char kNoTargetPrompt[] =
    QT_TRANSLATE_NOOP("CompareRun", "Give us a target file, please");
// Where a field names a path longer than the system takes, which no comparer
// could open, the box says so instead of claiming that no file was given.
inline constexpr char kSourceTooLongPrompt[] =
    QT_TRANSLATE_NOOP("CompareRun", "The path of the source file is too long");
inline constexpr char kTargetTooLongPrompt[] =
    QT_TRANSLATE_NOOP("CompareRun", "The path of the target file is too long");
inline constexpr char kStartFailedPrompt[] =
    QT_TRANSLATE_NOOP("CompareRun", "Problem executing file compare");

// The critical box of a comparison that did not finish: this line, a blank
// line, the reason's lines, a blank line and the report file's line.
inline constexpr char kNotFinishedPrompt[] =
    QT_TRANSLATE_NOOP("CompareRun", "The comparison did not finish, so its report is incomplete.");
inline constexpr char kEndedBySignal[] =
    QT_TRANSLATE_NOOP("CompareRun", "The comparer was ended by signal %1.");  // %1: its name
inline constexpr char kEndedWithStatus[] =
    QT_TRANSLATE_NOOP("CompareRun", "The comparer ended with exit status %1.");
inline constexpr char kErrorOutput[] =
    QT_TRANSLATE_NOOP("CompareRun", "The comparer wrote:\n%1");  // %1: the text, trimmed
// The critical box of a viewer that could not show the report where the
// program's own report window could not either: the first line with the
// viewer's reason, a new line, the second with the system's reason, a blank
// line and the report file's line.
inline constexpr char kViewerFailedPrompt[] =
    QT_TRANSLATE_NOOP("CompareRun", "The report could not be opened: %1.");
inline constexpr char kReportUnreadable[] =
    QT_TRANSLATE_NOOP("CompareRun", "Nor could it be read to show it here: %1.");
inline constexpr char kReportFileLabel[] = QT_TRANSLATE_NOOP("CompareRun", "Report file: %1");

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
// cannot show it, the report opens in the program's own report window. Every
// failure ends in a message box; nothing is thrown. A PlatformError shows its
// own number; running out of memory shows ENOMEM, and any other unexpected
// failure -1, each with its description. A run ended through EndRun shows
// nothing.
void CompareRun(Platform& platform, const std::function<CompareInput()>& readInput);

}  // namespace varnel
