#pragma once

#include <cerrno>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "compare/platform.h"

namespace varnel {

// A stand-in for the real platform operations: it records every operation in
// `calls`, in order, as "Name(argument)", answers from the fields below, and
// throws PlatformError(errorNumber, errorText) from the operation named in
// `failIn`. It starts nothing and shows nothing; a viewer's failure is told
// by calling `viewerFailed`.
class RecordingPlatform : public Platform {
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
  std::string tempFolder = "C:\\TEMP\\";
  std::string uniqueFile = "C:\\TEMP\\FC_1A2B.TMP";  // "" makes the request fail
  std::string fallbackFile = "./FC_3C4D.TMP";
  std::string commandPrefix = "c:\\windows\\command.com /C fc ";
  std::string viewerPrefix = "notepad.exe ";
  long pid = 4242;
  RunEnd runEnd;              // what Wait gives
  ViewerFailed viewerFailed;  // as StartViewer was given it

  std::string failIn;  // "ShortForm", "TempFolder", "Start", ... or "" for none
  int errorNumber = 5;
  std::string errorText = "Invalid procedure call or argument";

  std::string ShortForm(const std::string& path) const override {
    Record("ShortForm", path);
    if (tooLongPaths.contains(path)) throw PlatformError(ENAMETOOLONG, "File name too long");
    const auto found = shortForms.find(path);
    return found == shortForms.end() ? "" : found->second;
  }
  // Words are written as they are, as on the interpreter of the Windows example.
  std::string CommandWord(const std::string& word) const override { return word; }
  std::string TempFolder() override {
    Record("TempFolder", "");
    return tempFolder;
  }
  std::string UniqueTempFile(const std::string& folder, const std::string& prefix) override {
    Record("UniqueTempFile", folder + "," + prefix);
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
    return runEnd;
  }
  bool EndRun() override {
    Record("EndRun", "");
    return false;
  }
  void StartViewer(const std::string& commandLine, ViewerFailed onFailure) override {
    Record("StartViewer", commandLine);
    viewerFailed = std::move(onFailure);
  }
  void MessageBox(const std::string& prompt, BoxStyle style,
                  const std::optional<std::string>& title) override {
    Record("MessageBox", prompt);
    boxes.push_back({prompt, style, title});
  }

 private:
  void Record(const std::string& name, const std::string& argument) const {
    calls.push_back(name + "(" + argument + ")");
    if (name == failIn) throw PlatformError(errorNumber, errorText);
  }
};

}  // namespace varnel
