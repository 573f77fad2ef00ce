#include "compare/compare_run.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "compare/recording_platform.h"

namespace varnel {
namespace {

using Calls = std::vector<std::string>;

constexpr char kExampleLine[] =
    "c:\\windows\\command.com /C fc /C /W C:\\DOCS\\OLD.TXT C:\\DOCS\\NEW.TXT > "
    "C:\\TEMP\\FC_1A2B.TMP";

class CompareRunTest : public ::testing::Test {
 protected:
  CompareRunTest() {
    platform.shortForms["c:\\docs\\old.txt"] = "C:\\DOCS\\OLD.TXT";
    platform.shortForms["c:\\docs\\new.txt"] = "C:\\DOCS\\NEW.TXT";
    platform.shortForms["C:\\TEMP\\FC_1A2B.TMP"] = "C:\\TEMP\\FC_1A2B.TMP";
    options.advancedCaption = kHideDetailsCaption;
    options.chkC = 1;
    options.chkW = 1;
  }

  void Run(const std::string& source = "c:\\docs\\old.txt",
           const std::string& target = "c:\\docs\\new.txt") {
    CompareRun(platform, source, target, options);
  }

  // Asserts that exactly one box was shown, with these contents.
  void ExpectOneBox(const std::string& prompt, BoxStyle style,
                    const std::optional<std::string>& title) {
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].prompt, prompt);
    EXPECT_EQ(platform.boxes[0].style, style);
    EXPECT_EQ(platform.boxes[0].title, title);
  }

  RecordingPlatform platform;
  OptionSet options;
};

TEST_F(CompareRunTest, RunsEveryStepInOrderWithTheExampleLines) {
  Run();
  EXPECT_EQ(platform.calls, (Calls{
                                "ShortForm(c:\\docs\\old.txt)",
                                "ShortForm(c:\\docs\\new.txt)",
                                "TempFolder()",
                                "UniqueTempFile(C:\\TEMP\\,FC_)",
                                "ShortForm(C:\\TEMP\\FC_1A2B.TMP)",
                                std::string("Start(") + kExampleLine + ")",
                                "Wait(4242)",
                                "StartDetached(notepad.exe C:\\TEMP\\FC_1A2B.TMP)",
                            }));
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(CompareRunTest, NoSwitchesLeaveOneBlankAfterTheComparer) {
  options.advancedCaption = kShowDetailsCaption;
  Run();
  ASSERT_GE(platform.calls.size(), 6u);
  EXPECT_EQ(platform.calls[5],
            "Start(c:\\windows\\command.com /C fc C:\\DOCS\\OLD.TXT C:\\DOCS\\NEW.TXT > "
            "C:\\TEMP\\FC_1A2B.TMP)");
}

TEST_F(CompareRunTest, MissingInputPromptsAndMakesNoFile) {
  struct Case {
    const char* source;
    const char* target;
    const char* prompt;
  };
  const Case cases[] = {
      {"", "", kNoSourcePrompt},
      {"c:\\nothing.txt", "c:\\docs\\new.txt", kNoSourcePrompt},
      {"c:\\nothing.txt", "", kNoSourcePrompt},
      {"c:\\docs\\old.txt", "", kNoTargetPrompt},
      {"c:\\docs\\old.txt", "c:\\nothing.txt", kNoTargetPrompt},
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
  Run("", "c:\\docs\\new.txt");
  EXPECT_EQ(platform.calls, (Calls{"ShortForm(c:\\docs\\new.txt)",
                                   std::string("MessageBox(") + kNoSourcePrompt + ")"}));
}

TEST_F(CompareRunTest, NothingStartedShowsTheCriticalBoxOnly) {
  platform.pid = 0;
  Run();
  ExpectOneBox(kStartFailedPrompt, BoxStyle::kCritical, std::string(kCompareTitle));
  EXPECT_EQ(platform.calls.back(), std::string("MessageBox(") + kStartFailedPrompt + ")");
  for (const std::string& call : platform.calls) {
    EXPECT_FALSE(call.starts_with("Wait(") || call.starts_with("StartDetached(")) << call;
  }
}

TEST_F(CompareRunTest, NoTemporaryFolderUsesTheCurrentFolder) {
  platform.tempFolder = "";
  platform.uniqueFile = "./FC_9Z.txt";
  platform.shortForms["./FC_9Z.txt"] = "/home/u/FC_9Z.txt";
  Run();
  EXPECT_EQ(platform.calls[3], "UniqueTempFile(./,FC_)");
  EXPECT_EQ(platform.calls.back(), "StartDetached(notepad.exe /home/u/FC_9Z.txt)");
}

TEST_F(CompareRunTest, RefusedUniqueFileFallsBackToACreatedFixedFile) {
  platform.uniqueFile = "";
  platform.shortForms["C:\\TEMP\\fc_0000.tmp"] = "C:\\TEMP\\FC_0000.TMP";
  Run();
  EXPECT_EQ(platform.calls[4], "CreateFallbackFile(C:\\TEMP\\fc_0000.tmp)");
  EXPECT_EQ(platform.calls[5], "ShortForm(C:\\TEMP\\fc_0000.tmp)");
  EXPECT_TRUE(platform.calls[6].ends_with(" > C:\\TEMP\\FC_0000.TMP)")) << platform.calls[6];
  EXPECT_EQ(platform.calls.back(), "StartDetached(notepad.exe C:\\TEMP\\FC_0000.TMP)");
}

TEST_F(CompareRunTest, FallbackThatCannotBeMadeStartsNothing) {
  platform.uniqueFile = "";
  platform.fallbackCreated = false;
  Run();
  ExpectOneBox("Oops, 13: The report file C:\\TEMP\\fc_0000.tmp could not be created safely",
               BoxStyle::kPlain, std::nullopt);
  EXPECT_EQ(platform.calls.back(),
            "MessageBox(Oops, 13: The report file C:\\TEMP\\fc_0000.tmp could not be created "
            "safely)");
  for (const std::string& call : platform.calls) EXPECT_FALSE(call.starts_with("Start")) << call;
}

TEST_F(CompareRunTest, ReportNameWithoutShortFormStartsNothing) {
  platform.shortForms.erase("C:\\TEMP\\FC_1A2B.TMP");
  Run();
  ExpectOneBox("Oops, 2: The report file C:\\TEMP\\FC_1A2B.TMP has disappeared", BoxStyle::kPlain,
               std::nullopt);
  for (const std::string& call : platform.calls) EXPECT_FALSE(call.starts_with("Start")) << call;
}

TEST_F(CompareRunTest, ErrorInAnyStepShowsTheErrorBoxAndEndsTheRun) {
  for (const char* step : {"ShortForm", "TempFolder", "UniqueTempFile", "CreateFallbackFile",
                           "Start", "Wait", "StartDetached"}) {
    SCOPED_TRACE(step);
    platform.calls.clear();
    platform.boxes.clear();
    platform.uniqueFile = std::string(step) == "CreateFallbackFile" ? "" : "C:\\TEMP\\FC_1A2B.TMP";
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

TEST_F(CompareRunTest, FailingMessageBoxDoesNotEscapeTheRun) {
  platform.failIn = "MessageBox";
  EXPECT_NO_THROW(Run("", ""));
}

// Throws a non-platform error from the first operation.
class ThrowingPlatform : public RecordingPlatform {
 public:
  std::string ShortForm(const std::string&) const override { throw std::bad_alloc(); }
};

TEST(CompareRunFailureTest, OutOfMemoryShowsTheErrorBox) {
  ThrowingPlatform platform;
  CompareRun(platform, "a", "b", OptionSet{});
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].prompt, "Oops, 12: Out of memory");
  EXPECT_EQ(platform.boxes[0].title, std::nullopt);
}

}  // namespace
}  // namespace varnel
