#include "compare/compare_run.h"

#include <cerrno>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include "compare/path_helpers.h"
#include "compare/platform.h"

namespace varnel {

namespace {

constexpr char kReportPrefix[] = "FC_";
constexpr char kFallbackReportName[] = "fc_0000.tmp";
// The current folder, for a platform that names no temporary folder.
constexpr char kCurrentFolder[] = "./";

// Failures that carry no number of their own are shown with an errno, like
// every other error on this platform.
constexpr int kOutOfMemoryNumber = ENOMEM;
constexpr char kOutOfMemoryText[] = "Out of memory";
constexpr int kUnexpectedNumber = -1;
constexpr char kUnexpectedText[] = "Unexpected error";

// The report file's name for the command lines. A unique file is used when the
// platform can make one; otherwise the fixed fallback name, which is created
// first so that the comparer and the viewer both have a real file to use.
// Raises PlatformError when neither gives a usable name.
std::string MakeReportFile(Platform& platform, const std::string& folder) {
  const std::string unique = platform.UniqueTempFile(folder, kReportPrefix);
  std::string name = unique;
  if (name.empty()) {
    name = folder + kFallbackReportName;
    if (!platform.CreateFallbackFile(name)) {
      throw PlatformError(EACCES, "The report file " + name + " could not be created safely");
    }
  }
  std::string report = ShortName(platform, name);
  if (report.empty()) {
    throw PlatformError(ENOENT, "The report file " + name + " has disappeared");
  }
  return report;
}

// Steps 2 to 13; every early end returns, every failure throws.
void RunSteps(Platform& platform, const std::string& sourceText, const std::string& targetText,
              const OptionSet& options) {
  const std::string source = ShortName(platform, sourceText);
  const std::string target = ShortName(platform, targetText);
  if (source.empty()) {
    platform.MessageBox(kNoSourcePrompt, BoxStyle::kPlain, kCompareTitle);
    return;
  }
  if (target.empty()) {
    platform.MessageBox(kNoTargetPrompt, BoxStyle::kPlain, kCompareTitle);
    return;
  }

  std::string folder = platform.TempFolder();
  if (folder.empty()) folder = kCurrentFolder;
  const std::string report = MakeReportFile(platform, folder);
  const std::string switches = BuildSwitches(options);

  const std::string commandLine =
      platform.CommandPrefix() + switches + source + " " + target + " > " + report;
  const long pid = platform.Start(commandLine);
  if (pid == 0) {
    platform.MessageBox(kStartFailedPrompt, BoxStyle::kCritical, kCompareTitle);
    return;
  }
  platform.Wait(pid);
  platform.StartDetached(platform.ViewerPrefix() + report);
}

// The error box. A failure while showing it has nowhere left to go.
void ShowError(Platform& platform, int number, const char* description) noexcept {
  try {
    platform.MessageBox("Oops, " + std::to_string(number) + ": " + description, BoxStyle::kPlain,
                        std::nullopt);
  } catch (...) {
  }
}

}  // namespace

void CompareRun(Platform& platform, const std::string& sourceText, const std::string& targetText,
                const OptionSet& options) {
  CompareRun(platform, [&] { return CompareInput{sourceText, targetText, options}; });
}

void CompareRun(Platform& platform, const std::function<CompareInput()>& readInput) {
  try {
    const CompareInput input = readInput();
    RunSteps(platform, input.sourceText, input.targetText, input.options);
  } catch (const PlatformError& error) {
    ShowError(platform, error.number(), error.what());
  } catch (const std::system_error& error) {
    ShowError(platform, error.code().value(), error.what());
  } catch (const std::bad_alloc&) {
    ShowError(platform, kOutOfMemoryNumber, kOutOfMemoryText);
  } catch (const std::length_error&) {
    ShowError(platform, kOutOfMemoryNumber, kOutOfMemoryText);
  } catch (const std::exception& error) {
    ShowError(platform, kUnexpectedNumber, error.what());
  } catch (...) {
    ShowError(platform, kUnexpectedNumber, kUnexpectedText);
  }
}

}  // namespace varnel
