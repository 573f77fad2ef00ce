// Test support: a stand-in for the platform operations.
#pragma once

#include <cerrno>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "compare/platform.h"

namespace varnel {

// A stand-in for the platform operations that answers as the real ones on
// this system would: a temporary folder ending in '/', report files named
// FC_ + six characters + ".txt", the comparer started through /bin/sh -c by
// its absolute path, and xdg-open for the viewer. It records every operation
// in `calls`, in order, as "Name(argument)", answers from the fields below,
// and throws PlatformError(errorNumber, errorText) from the operation named in
// `failIn`. It starts nothing and shows nothing (ShowReport and MessageBox
// only record): a viewer's failure is told by calling `viewerFailed`, and
// `duringWait` runs inside Wait, as the user's events do while a comparison
// runs. Its user's language is English unless `translations` holds a text.
class StandInPlatform : public Platform {
 public:
  // One message box as it was asked for.
  struct Box {
    std::string prompt;
    BoxStyle style;
    std::optional<std::string> title;
  };

  mutable std::vector<std::string> calls;
  std::vector<Box> boxes;

  std::map<std::string, std::string> shortForms;  // paths with no entry give ""
  std::set<std::string> tooLongPaths;             // their ShortForm throws ENAMETOOLONG
  std::string tempFolder = "/tmp/";
  std::string uniqueFile = "/tmp/FC_a1B2c3.txt";              // "" makes the request fail,
  std::string uniqueFileRefusal = "No space left on device";  // for this reason
  std::string fallbackFile = "/home/u/FC_d4E5f6.txt";
  std::string commandPrefix = "/usr/libexec/varnel/fc ";
  std::string viewerPrefix = "xdg-open ";
  std::string workingFolder = "/home/u";
  bool standardErrorIsTerminal = true;
  long pid = 4242;
  RunEnd runEnd;                     // what Wait gives, unless EndRun was called during it
  std::function<void()> duringWait;  // runs inside Wait
  ViewerFailed viewerFailed;         // as StartViewer was given it

  // The user's language's forms of fixed texts, by context and text.
  std::map<std::pair<std::string, std::string>, std::string> translations;

  std::string failIn;  // "ShortForm", "TempFolder", "Start", ... or "" for none
  int errorNumber = EIO;
  std::string errorText = "Input/output error";

  // The arguments of every recorded call of the operation `name`, in order.
  std::vector<std::string> Called(const std::string& name) const {
    std::vector<std::string> arguments;
    for (const std::string& call : calls) {
      if (call.starts_with(name + "("))
        arguments.push_back(call.substr(name.size() + 1, call.size() - name.size() - 2));
    }
    return arguments;
  }

  std::string ShortForm(const std::string& path) const override {
    Record("ShortForm", path);
    if (tooLongPaths.contains(path)) throw PlatformError(ENAMETOOLONG, "File name too long");
    const auto found = shortForms.find(path);
    return found == shortForms.end() ? "" : found->second;
  }
  // Only words that the shell reads as they stand come through here.
  std::string CommandWord(const std::string& word) const override { return word; }
  std::string TempFolder() override {
    Record("TempFolder", "");
    return tempFolder;
  }
  std::string UniqueTempFile(const std::string& folder, const std::string& prefix,
                             std::string* whyNot) override {
    Record("UniqueTempFile", folder + "," + prefix);
    if (uniqueFile.empty()) *whyNot = uniqueFileRefusal;
    return uniqueFile;
  }
  std::string CreateFallbackFile(const std::string& folder, const std::string& prefix) override {
    Record("CreateFallbackFile", folder + "," + prefix);
    return fallbackFile;
  }
  std::string CommandPrefix() const override { return commandPrefix; }
  std::string ViewerPrefix() const override { return viewerPrefix; }
  long Start(const std::string& commandLine) override {
    Record("Start", commandLine);
    return pid;
  }
  RunEnd Wait(long waitedPid, const RunInputs& inputs) override {
    Record("Wait", std::to_string(waitedPid) + "," + inputs.source + "," + inputs.target);
    waiting_ = true;
    if (duringWait) duringWait();
    waiting_ = false;
    RunEnd end = runEnd;
    if (std::exchange(endRequested_, false)) end.kind = RunEnd::Kind::kStopped;
    return end;
  }
  bool EndRun() override {
    Record("EndRun", "");
    endRequested_ = endRequested_ || waiting_;
    return waiting_;
  }
  void StartViewer(const std::string& commandLine, ViewerFailed onFailure) override {
    Record("StartViewer", commandLine);
    viewerFailed = std::move(onFailure);
  }
  void ShowReport(const std::string& reportFile, const RunInputs& inputs) override {
    Record("ShowReport", reportFile + "," + inputs.source + "," + inputs.target);
  }
  void MessageBox(const std::string& prompt, BoxStyle style,
                  const std::optional<std::string>& title) override {
    Record("MessageBox", prompt);
    boxes.push_back({prompt, style, title});
  }
  std::string WorkingFolder() const override { return workingFolder; }
  bool StandardErrorIsTerminal() const override { return standardErrorIsTerminal; }
  std::string Translated(const char* context, const char* text) const override {
    const auto found = translations.find({context, text});
    return found == translations.end() ? text : found->second;
  }

 private:
  void Record(const std::string& name, const std::string& argument) const {
    calls.push_back(name + "(" + argument + ")");
    if (name == failIn) throw PlatformError(errorNumber, errorText);
  }

  bool waiting_ = false;
  bool endRequested_ = false;
};

}  // namespace varnel
