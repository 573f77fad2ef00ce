#include "compare/compare_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <string>
#include <vector>

#include "compare/testing/stand_in_platform.h"

namespace varnel {
namespace {

using Calls = std::vector<std::string>;

constexpr char kExampleLine[] =
    "/usr/libexec/varnel/fc /C /W /home/u/old.txt '/home/u/my new.txt' > /tmp/FC_a1B2c3.txt";

class CompareRunTest : public ::testing::Test {
 protected:
  CompareRunTest() {
    platform.shortForms["/home/u/old.txt"] = "/home/u/old.txt";
    platform.shortForms["my new.txt"] = "'/home/u/my new.txt'";
    platform.shortForms["/tmp/FC_a1B2c3.txt"] = "/tmp/FC_a1B2c3.txt";
    options.advancedCaption = kHideDetailsCaption;
    options.chkC = 1;
    options.chkW = 1;
  }

  void Run(const std::string& source = "/home/u/old.txt",
           const std::string& target = "my new.txt") {
    CompareRun(platform, [&] { return CompareInput{source, target, options}; });
  }

  // Asserts that exactly one box was shown, with these contents.
  void ExpectOneBox(const std::string& prompt, BoxStyle style,
                    const std::optional<std::string>& title) {
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].prompt, prompt);
    EXPECT_EQ(platform.boxes[0].style, style);
    EXPECT_EQ(platform.boxes[0].title, title);
  }

  StandInPlatform platform;
  OptionSet options;
};

TEST_F(CompareRunTest, RunsEveryStepInOrderWithTheExampleLines) {
  Run();
  EXPECT_EQ(platform.calls, (Calls{
                                "ShortForm(/home/u/old.txt)",
                                "ShortForm(my new.txt)",
                                "TempFolder()",
                                "UniqueTempFile(/tmp/,FC_)",
                                "ShortForm(/tmp/FC_a1B2c3.txt)",
                                std::string("Start(") + kExampleLine + ")",
                                "Wait(4242,/home/u/old.txt,my new.txt)",
                                "StartViewer(xdg-open /tmp/FC_a1B2c3.txt)",
                            }));
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(CompareRunTest, NoSwitchesLeaveOneBlankAfterTheComparer) {
  options.advancedCaption = kShowDetailsCaption;
  Run();
  ASSERT_GE(platform.calls.size(), 6u);
  EXPECT_EQ(platform.calls[5],
            "Start(/usr/libexec/varnel/fc /home/u/old.txt '/home/u/my new.txt' > "
            "/tmp/FC_a1B2c3.txt)");
}

// A path longer than the system takes is told as such, in the same kind of
// box as a missing file; the source is still tested first.
TEST_F(CompareRunTest, MissingInputOrAPathTooLongPromptsAndMakesNoFile) {
  platform.tooLongPaths = {"/home/u/deep/a.txt"};
  struct Case {
    const char* source;
    const char* target;
    const char* prompt;
  };
  const Case cases[] = {
      {"", "", kNoSourcePrompt},
      {"/home/u/nothing.txt", "my new.txt", kNoSourcePrompt},
      {"/home/u/nothing.txt", "", kNoSourcePrompt},
      {"/home/u/old.txt", "", kNoTargetPrompt},
      {"/home/u/old.txt", "/home/u/nothing.txt", kNoTargetPrompt},
      {"/home/u/deep/a.txt", "/home/u/nothing.txt", kSourceTooLongPrompt},
      {"/home/u/old.txt", "/home/u/deep/a.txt", kTargetTooLongPrompt},
      {"/home/u/nothing.txt", "/home/u/deep/a.txt", kNoSourcePrompt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.source) + " | " + c.target);
    platform.calls.clear();
    platform.boxes.clear();
    Run(c.source, c.target);
    ExpectOneBox(c.prompt, BoxStyle::kPlain, std::string(kCompareTitle));
    // Both fields are shortened before either is tested; nothing else happens.
    for (const std::string& call : platform.calls) {
      EXPECT_TRUE(call.starts_with("ShortForm(") || call.starts_with("MessageBox(")) << call;
    }
  }
}

TEST_F(CompareRunTest, SourceAndTargetAreBothShortenedBeforeTheTest) {
  Run("", "my new.txt");
  EXPECT_EQ(platform.calls,
            (Calls{"ShortForm(my new.txt)", std::string("MessageBox(") + kNoSourcePrompt + ")"}));
}

TEST_F(CompareRunTest, NothingStartedShowsTheCriticalBoxOnly) {
  platform.pid = 0;
  Run();
  ExpectOneBox(kStartFailedPrompt, BoxStyle::kCritical, std::string(kCompareTitle));
  EXPECT_EQ(platform.calls.back(), std::string("MessageBox(") + kStartFailedPrompt + ")");
  for (const std::string& call : platform.calls) {
    EXPECT_FALSE(call.starts_with("Wait(") || call.starts_with("StartViewer(")) << call;
  }
}

// A report is opened only when the comparer ended by itself with 0, 1 or 2
// and said nothing on standard error; otherwise it stops where the comparer
// stopped, and the box says so, why, and where the report is.
TEST_F(CompareRunTest, RunThatDidNotFinishShowsWhyAndWhereTheReportIs) {
  using Kind = RunEnd::Kind;
  const struct {
    RunEnd end;
    std::string reason;
  } cases[] = {
      {{Kind::kSignalled, 11, "SIGSEGV (Segmentation fault)", ""},
       "The comparer was ended by signal SIGSEGV (Segmentation fault)."},
      {{Kind::kSignalled, 9, "SIGKILL (Killed)", "1 line read\n"},
       "The comparer was ended by signal SIGKILL (Killed).\nThe comparer wrote:\n1 line read"},
      {{Kind::kExited, 127, "", "sh: 1: fc: not found\n"},
       "The comparer ended with exit status 127.\nThe comparer wrote:\nsh: 1: fc: not found"},
      {{Kind::kExited, 3, "", ""}, "The comparer ended with exit status 3."},
      {{Kind::kExited, 2, "", "\n fc: cannot write the report: No space left on device \n"},
       "The comparer wrote:\nfc: cannot write the report: No space left on device"},
      {{Kind::kExited, 0, "", "warning"}, "The comparer wrote:\nwarning"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    platform.calls.clear();
    platform.boxes.clear();
    platform.runEnd = c.end;
    Run();
    ExpectOneBox(
        std::string(kNotFinishedPrompt) + "\n\n" + c.reason + "\n\nReport file: /tmp/FC_a1B2c3.txt",
        BoxStyle::kCritical, std::string(kCompareTitle));
    for (const std::string& call : platform.calls) {
      EXPECT_FALSE(call.starts_with("StartViewer(")) << call;
    }
  }
}

TEST_F(CompareRunTest, FinishedRunOpensTheReportWhateverTheComparerFound) {
  for (int status : {0, 1, 2}) {
    for (const char* errors : {"", " \n"}) {
      platform.calls.clear();
      platform.runEnd = {RunEnd::Kind::kExited, status, "", errors};
      Run();
      EXPECT_EQ(platform.calls.back(), "StartViewer(xdg-open /tmp/FC_a1B2c3.txt)");
    }
  }
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(CompareRunTest, RunEndedOnRequestShowsNothingAndStartsNoViewer) {
  platform.runEnd = {RunEnd::Kind::kStopped, 15, "", "Terminated\n"};
  Run();
  EXPECT_EQ(platform.calls.back(), "Wait(4242,/home/u/old.txt,my new.txt)");
  EXPECT_TRUE(platform.boxes.empty());
}

// Where the viewer cannot show the report, the program's own window does;
// only a report that cannot be read gets a box, which names it as the user
// knows it, not in its quoted form.
TEST_F(CompareRunTest, ViewerThatFailsLeavesTheReportToTheReportWindow) {
  platform.uniqueFile = "/tmp/my report.txt";
  platform.shortForms["/tmp/my report.txt"] = "'/tmp/my report.txt'";
  Run();
  EXPECT_EQ(platform.calls.back(), "StartViewer(xdg-open '/tmp/my report.txt')");
  ASSERT_TRUE(platform.viewerFailed);

  platform.viewerFailed("xdg-open ended with exit status 4 (the action failed)");
  EXPECT_EQ(platform.calls.back(), "ShowReport(/tmp/my report.txt,/home/u/old.txt,my new.txt)");
  EXPECT_TRUE(platform.boxes.empty());

  platform.failIn = "ShowReport";
  platform.errorText = "Permission denied";
  platform.viewerFailed("xdg-open ended with exit status 4 (the action failed)");
  ExpectOneBox(
      "The report could not be opened: xdg-open ended with exit status 4 (the action "
      "failed).\nNor could it be read to show it here: Permission denied.\n\nReport file: "
      "/tmp/my report.txt",
      BoxStyle::kCritical, std::string(kCompareTitle));
}

TEST_F(CompareRunTest, NoTemporaryFolderUsesTheCurrentFolder) {
  platform.tempFolder = "";
  platform.uniqueFile = "./FC_g7H8i9.txt";
  platform.shortForms["./FC_g7H8i9.txt"] = "/home/u/FC_g7H8i9.txt";
  Run();
  EXPECT_EQ(platform.calls[3], "UniqueTempFile(./,FC_)");
  EXPECT_EQ(platform.calls.back(), "StartViewer(xdg-open /home/u/FC_g7H8i9.txt)");
}

// Where the temporary folder takes no new file, the report is a new file in
// the current folder, never a fixed name that another run could share.
TEST_F(CompareRunTest, RefusedUniqueFileFallsBackToANewFileInTheCurrentFolder) {
  platform.uniqueFile = "";
  platform.shortForms["/home/u/FC_d4E5f6.txt"] = "/home/u/FC_d4E5f6.txt";
  Run();
  EXPECT_EQ(platform.calls[4], "CreateFallbackFile(./,FC_)");
  EXPECT_EQ(platform.calls[5], "ShortForm(/home/u/FC_d4E5f6.txt)");
  EXPECT_TRUE(platform.calls[6].ends_with(" > /home/u/FC_d4E5f6.txt)")) << platform.calls[6];
  EXPECT_EQ(platform.calls.back(), "StartViewer(xdg-open /home/u/FC_d4E5f6.txt)");

  // Where neither folder takes one, the box names both, each with its reason.
  platform.calls.clear();
  platform.failIn = "CreateFallbackFile";
  platform.errorNumber = EACCES;
  platform.errorText = "/home/u/ (Permission denied)";
  Run();
  ExpectOneBox(
      "Oops, 13: The report file could not be made in /tmp/ (No space left on device), nor in "
      "/home/u/ (Permission denied)",
      BoxStyle::kPlain, std::nullopt);
  for (const std::string& call : platform.calls) EXPECT_FALSE(call.starts_with("Start")) << call;
}

TEST_F(CompareRunTest, ReportNameWithoutShortFormStartsNothing) {
  platform.shortForms.erase("/tmp/FC_a1B2c3.txt");
  Run();
  ExpectOneBox("Oops, 2: The report file /tmp/FC_a1B2c3.txt has disappeared", BoxStyle::kPlain,
               std::nullopt);
  for (const std::string& call : platform.calls) EXPECT_FALSE(call.starts_with("Start")) << call;
}

TEST_F(CompareRunTest, ErrorInAnyStepShowsTheErrorBoxAndEndsTheRun) {
  for (const char* step :
       {"ShortForm", "TempFolder", "UniqueTempFile", "Start", "Wait", "StartViewer"}) {
    SCOPED_TRACE(step);
    platform.calls.clear();
    platform.boxes.clear();
    platform.failIn = step;
    platform.errorNumber = -5;
    platform.errorText = "It broke";
    Run();
    ExpectOneBox("Oops, -5: It broke", BoxStyle::kPlain, std::nullopt);
    // The failing step is the last thing done before the box.
    ASSERT_GE(platform.calls.size(), 2u);
    EXPECT_TRUE(platform.calls[platform.calls.size() - 2].starts_with(std::string(step) + "("));
  }
}

TEST_F(CompareRunTest, ErrorWhileReadingTheWindowShowsTheErrorBoxAndDoesNothingElse) {
  CompareRun(platform, []() -> CompareInput { throw PlatformError(-7, "Unreadable field"); });
  CompareRun(platform, []() -> CompareInput { throw std::bad_alloc(); });
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[0].prompt, "Oops, -7: Unreadable field");
  EXPECT_EQ(platform.boxes[1].prompt, "Oops, 12: Out of memory");
  EXPECT_EQ(platform.boxes[0].title, std::nullopt);
  EXPECT_EQ(platform.calls, (Calls{"MessageBox(Oops, -7: Unreadable field)",
                                   "MessageBox(Oops, 12: Out of memory)"}));
}

// In another language the boxes' fixed words are translated, the values put
// into them stay as they came (a path may hold "%2"), and the system's own
// description of an error is shown as the system gave it.
TEST_F(CompareRunTest, BoxesSpeakTheUsersLanguageAroundValuesAsTheyCame) {
  platform.translations = {
      {{"CompareRun", kCompareTitle}, "Dateivergleich"},
      {{"CompareRun", kNoSourcePrompt}, "Bitte eine Quelldatei angeben"},
      {{"CompareRun", "Oops, %1: %2"}, "Hoppla, %1: %2"},
      {{"CompareRun", "The report file %1 has disappeared"}, "Die Berichtsdatei %1 ist weg"},
      {{"CompareRun", kNotFinishedPrompt}, "Nicht fertig."},
      {{"CompareRun", kEndedWithStatus}, "Status %1."},
      {{"CompareRun", kReportFileLabel}, "Berichtsdatei: %1"},
  };
  Run("", "my new.txt");
  platform.failIn = "Start";
  platform.errorText = "Ein-/Ausgabefehler";
  Run();
  platform.failIn = "";
  platform.runEnd = {RunEnd::Kind::kExited, 3, "", ""};
  Run();
  platform.uniqueFile = "/tmp/FC_%2%1.txt";
  Run();
  ASSERT_EQ(platform.boxes.size(), 4u);
  EXPECT_EQ(platform.boxes[0].prompt, "Bitte eine Quelldatei angeben");
  EXPECT_EQ(platform.boxes[0].title, "Dateivergleich");
  EXPECT_EQ(platform.boxes[1].prompt, "Hoppla, 5: Ein-/Ausgabefehler");
  EXPECT_EQ(platform.boxes[2].prompt,
            "Nicht fertig.\n\nStatus 3.\n\nBerichtsdatei: /tmp/FC_a1B2c3.txt");
  EXPECT_EQ(platform.boxes[3].prompt, "Hoppla, 2: Die Berichtsdatei /tmp/FC_%2%1.txt ist weg");
}

TEST_F(CompareRunTest, FailingMessageBoxDoesNotEscapeTheRun) {
  platform.failIn = "MessageBox";
  EXPECT_NO_THROW(Run("", ""));
}

}  // namespace
}  // namespace varnel
