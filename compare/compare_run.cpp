#include "compare/compare_run.h"

#include <cerrno>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include "compare/path_helpers.h"
#include "compare/platform.h"
#include "fc/exit_codes.h"

namespace varnel {

namespace {

constexpr char kReportPrefix[] = "FC_";
// The current folder, for a platform that names no temporary folder or makes
// no report file in it.
constexpr char kCurrentFolder[] = "./";
constexpr char kNoReportFile[] =
    QT_TRANSLATE_NOOP("CompareRun", "The report file could not be made in %1 (%2), nor in %3");
constexpr char kReportGone[] =
    QT_TRANSLATE_NOOP("CompareRun", "The report file %1 has disappeared");
constexpr char kErrorPrompt[] = QT_TRANSLATE_NOOP("CompareRun", "Oops, %1: %2");

// Failures that carry no number of their own are shown with an errno, like
// every other error on this platform.
constexpr int kOutOfMemoryNumber = ENOMEM;
constexpr char kOutOfMemoryText[] = QT_TRANSLATE_NOOP("CompareRun", "Out of memory");
constexpr int kUnexpectedNumber = -1;
constexpr char kUnexpectedText[] = QT_TRANSLATE_NOOP("CompareRun", "Unexpected error");

// One of the fixed texts above, in the user's language.
std::string Tr(const Platform& platform, const char* text) {
  return platform.Translated(kTextContext, text);
}

// The report file: its full name as made, for the user, and its short form,
// for the command lines.
struct ReportFile {
  std::string name;
  std::string shortForm;
};

// Makes the report file: a unique file in the temporary folder when the
// platform can make one there, else one in the current folder, as when there
// is no temporary folder. Either is a new file of its own, so no two
// comparisons ever write into the same report. Raises PlatformError when
// neither can be made, naming both folders with their own reasons: the user
// may mend either.
ReportFile MakeReportFile(Platform& platform, const std::string& folder) {
  std::string whyNot;
  std::string name = platform.UniqueTempFile(folder, kReportPrefix, &whyNot);
  if (name.empty()) {
    try {
      name = platform.CreateFallbackFile(kCurrentFolder, kReportPrefix);
    } catch (const PlatformError& error) {
      throw PlatformError(error.number(),
                          Format(Tr(platform, kNoReportFile), {folder, whyNot, error.what()}));
    }
  }
  std::string shortForm = ShortName(platform, name);
  if (shortForm.empty()) {
    throw PlatformError(ENOENT, Format(Tr(platform, kReportGone), {name}));
  }
  return {name, shortForm};
}

std::string Trimmed(const std::string& text) {
  constexpr char kBlanks[] = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// True for the statuses the comparer ends with once its report is complete:
// no differences, differences, or its own complaint, which it writes into the
// report. Any other status comes from whatever stopped it on the way.
bool IsComparerStatus(int status) {
  return status == fc::kExitSame || status == fc::kExitDifferent || status == fc::kExitTrouble;
}

// True when the comparer ended by itself with one of its own statuses and
// said nothing on standard error; otherwise the report stops where the
// comparer stopped.
bool Finished(const RunEnd& end) {
  return end.kind == RunEnd::Kind::kExited && IsComparerStatus(end.status) &&
         Trimmed(end.errors).empty();
}

// Why a run that did not finish stopped, one reason a line.
std::string Reason(const Platform& platform, const RunEnd& end) {
  std::string reason;
  if (end.kind == RunEnd::Kind::kSignalled) {
    reason = Format(Tr(platform, kEndedBySignal), {end.signalName});
  } else if (!IsComparerStatus(end.status)) {
    reason = Format(Tr(platform, kEndedWithStatus), {std::to_string(end.status)});
  }
  const std::string errors = Trimmed(end.errors);
  if (!errors.empty())
    reason += (reason.empty() ? "" : "\n") + Format(Tr(platform, kErrorOutput), {errors});
  return reason;
}

std::string ReportLine(const Platform& platform, const ReportFile& report) {
  return "\n\n" + Format(Tr(platform, kReportFileLabel), {report.name});
}

// The box of a report that neither the viewer nor the report window could show.
void ShowUnreadable(Platform& platform, const ReportFile& report, const std::string& viewerReason,
                    const std::string& readReason) noexcept {
  try {
    platform.MessageBox(Format(Tr(platform, kViewerFailedPrompt), {viewerReason}) + "\n" +
                            Format(Tr(platform, kReportUnreadable), {readReason}) +
                            ReportLine(platform, report),
                        BoxStyle::kCritical, Tr(platform, kCompareTitle));
  } catch (...) {
    // The box was the last thing to do; nothing is left to tell.
  }
}

// Starts the viewer. Where it cannot show the report (no viewer, or none for
// plain text, as on many a fresh desktop), the report opens in the program's
// own window; only where that cannot read it either does a box say so, with
// the report's path, so the user can open it by hand.
void StartViewer(Platform& platform, const ReportFile& report, const RunInputs& inputs) {
  platform.StartViewer(platform.ViewerPrefix() + report.shortForm,
                       [&platform, report, inputs](const std::string& reason) {
                         try {
                           platform.ShowReport(report.name, inputs);
                         } catch (const PlatformError& error) {
                           ShowUnreadable(platform, report, reason, error.what());
                         } catch (...) {
                           // Nothing is left to show it with.
                         }
                       });
}

// The short form of a field's text, or "" with `tooLong` telling whether the
// path is longer than the system takes rather than missing.
struct FieldPath {
  std::string shortForm;
  bool tooLong = false;
};

FieldPath ShortenField(const Platform& platform, const std::string& text) {
  try {
    return {ShortName(platform, text)};
  } catch (const PlatformError& error) {
    if (error.number() != ENAMETOOLONG) throw;
    return {"", true};
  }
}

// True when `path` can be compared; otherwise shows the prompt that says why
// not: `missing`, or `tooLong`.
bool Usable(Platform& platform, const FieldPath& path, const char* missing, const char* tooLong) {
  if (!path.shortForm.empty()) return true;
  platform.MessageBox(Tr(platform, path.tooLong ? tooLong : missing), BoxStyle::kPlain,
                      Tr(platform, kCompareTitle));
  return false;
}

// Steps 2 to 13; every early end returns, every failure throws.
void RunSteps(Platform& platform, const std::string& sourceText, const std::string& targetText,
              const OptionSet& options) {
  const FieldPath source = ShortenField(platform, sourceText);
  const FieldPath target = ShortenField(platform, targetText);
  if (!Usable(platform, source, kNoSourcePrompt, kSourceTooLongPrompt)) return;
  if (!Usable(platform, target, kNoTargetPrompt, kTargetTooLongPrompt)) return;

  std::string folder = platform.TempFolder();
  if (folder.empty()) folder = kCurrentFolder;
  const ReportFile report = MakeReportFile(platform, folder);
  const std::string switches = CommandSwitches(platform, BuildSwitches(options));

  const std::string commandLine = platform.CommandPrefix() + switches + source.shortForm + " " +
                                  target.shortForm + " > " + report.shortForm;
  const long pid = platform.Start(commandLine);
  if (pid == 0) {
    platform.MessageBox(Tr(platform, kStartFailedPrompt), BoxStyle::kCritical,
                        Tr(platform, kCompareTitle));
    return;
  }
  const RunInputs inputs{sourceText, targetText};
  const RunEnd end = platform.Wait(pid, inputs);
  if (end.kind == RunEnd::Kind::kStopped) return;
  if (!Finished(end)) {
    platform.MessageBox(Tr(platform, kNotFinishedPrompt) + "\n\n" + Reason(platform, end) +
                            ReportLine(platform, report),
                        BoxStyle::kCritical, Tr(platform, kCompareTitle));
    return;
  }
  StartViewer(platform, report, inputs);
}

// The error box. Its description is shown as it came: the system's own words
// are in the user's language already where the system has it. A failure
// while showing it has nowhere left to go.
void ShowError(Platform& platform, int number, const char* description) noexcept {
  try {
    platform.MessageBox(Format(Tr(platform, kErrorPrompt), {std::to_string(number), description}),
                        BoxStyle::kPlain, std::nullopt);
  } catch (...) {
  }
}

// The error box of a failure that brings no description of its own, with one
// of the fixed texts above; in English where even its translation fails.
void ShowFixedError(Platform& platform, int number, const char* text) noexcept {
  std::string description;
  try {
    description = Tr(platform, text);
  } catch (...) {
    ShowError(platform, number, text);
    return;
  }
  ShowError(platform, number, description.c_str());
}

}  // namespace

void CompareRun(Platform& platform, const std::function<CompareInput()>& readInput) {
  try {
    const CompareInput input = readInput();
    RunSteps(platform, input.sourceText, input.targetText, input.options);
  } catch (const PlatformError& error) {
    ShowError(platform, error.number(), error.what());
  } catch (const std::system_error& error) {
    ShowError(platform, error.code().value(), error.what());
  } catch (const std::bad_alloc&) {
    ShowFixedError(platform, kOutOfMemoryNumber, kOutOfMemoryText);
  } catch (const std::length_error&) {
    ShowFixedError(platform, kOutOfMemoryNumber, kOutOfMemoryText);
  } catch (const std::exception& error) {
    ShowError(platform, kUnexpectedNumber, error.what());
  } catch (...) {
    ShowFixedError(platform, kUnexpectedNumber, kUnexpectedText);
  }
}

}  // namespace varnel
