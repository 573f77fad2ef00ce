#include "platform/posix_platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "compare/compare_run.h"
#include "platform/shell_word.h"
#include "platform/testing/file_contents.h"
#include "platform/testing/scoped_current_folder.h"
#include "platform/testing/scoped_environment.h"
#include "platform/testing/test_folder.h"
#include "platform/testing/wait_for_file.h"

namespace varnel {
namespace {

// The real operations, with boxes recorded instead of shown.
class TestPlatform : public PosixPlatform {
 public:
  using PosixPlatform::CollectViewers;
  using PosixPlatform::PosixPlatform;
  void MessageBox(const std::string& prompt, BoxStyle, const std::optional<std::string>&) override {
    boxes.push_back(prompt);
  }
  void ShowReport(const std::string& reportFile, const RunInputs&) override {
    shownReports.push_back(reportFile);
  }
  std::vector<std::string> shownReports;
  std::vector<std::string> boxes;
};

struct stat StatOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status;
}

// True when no child of this program is left, running or not yet collected.
// Collects nothing itself.
bool NoChildLeft() {
  siginfo_t info{};
  return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
}

// True once `pid` has ended; an orphan that nobody has collected yet counts.
bool IsGone(pid_t pid) {
  const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t close = stat.rfind(')');
  return stat.empty() || (close != std::string::npos && stat.substr(close + 2, 1) == "Z");
}

// Polls for up to five seconds until `pid` has ended.
bool WaitUntilGone(pid_t pid) {
  for (int i = 0; i < 500 && !IsGone(pid); ++i) usleep(10000);
  return IsGone(pid);
}

// Makes folders inside `base` down to a folder whose full name, with its
// trailing '/', leaves room within the system's limit for the 11 characters
// of a name like "fc_0000.tmp", but not for the 13 of a unique report name.
std::string MakeDeepFolder(const std::string& base) {
  constexpr std::size_t kLength = PATH_MAX - 1 - 11;
  std::string deep = base + "/";
  mkdir(base.c_str(), 0700);
  while (deep.size() < kLength) {
    const std::size_t left = kLength - deep.size();
    std::size_t piece = std::min<std::size_t>(200, left - 1);
    if (left - piece - 1 == 1) --piece;  // no piece of nothing next
    deep += std::string(piece, 'd') + "/";
    mkdir(deep.c_str(), 0700);
  }
  return deep;
}

// A scoped folder holding a stand-in comparer and a stand-in xdg-open, both
// recording their arguments; the viewer also notes whether the comparer had
// finished and what the report held when it started. Report files go to
// <folder>/tmp, and the tests work in <folder>/here.
class PosixPlatformTest : public ::testing::Test {
 protected:
  // Makes the folders and both scripts; returns the comparer's name.
  static std::string MakeStandIns(const TestFolder& folder) {
    const std::string root = folder.path();
    for (const char* sub : {"/bin", "/tmp", "/here"}) mkdir((root + sub).c_str(), 0700);
    folder.Write("bin/xdg-open",
                 "#!/bin/sh\n"
                 "cd " +
                     ShellWord(root) +
                     " || exit 1\n"
                     "if [ -e fc.done ]; then when=after; else when=before; fi\n"
                     "cat -- \"$1\" > viewer.saw\n"
                     "printf '%s\\0' \"$when\" \"$@\" > viewer.tmp && mv viewer.tmp viewer.args\n",
                 0755);
    return folder.Write("bin/fc",
                        "#!/bin/sh\n"
                        "printf '%s\\0' \"$@\" > " +
                            ShellWord(root + "/fc.args") +
                            "\n"
                            "sleep 0.2\n"
                            "echo compared\n"
                            ": > " +
                            ShellWord(root + "/fc.done") + "\n",
                        0755);
  }

  // Collects the viewers that compare runs started, once they have ended.
  void CollectEveryViewer() {
    for (int i = 0; i < 500 && !NoChildLeft(); ++i) {
      platform.CollectViewers();
      usleep(10000);
    }
    EXPECT_TRUE(NoChildLeft());
  }

  void ExpectNoStrayFile() {
    EXPECT_NE(access((root + "/here/pwned").c_str(), F_OK), 0);
    EXPECT_NE(access((root + "/pwned").c_str(), F_OK), 0);
  }

  TestFolder folder;
  const std::string root = folder.path();
  const std::string comparer = MakeStandIns(folder);
  ScopedEnvironment path{"PATH", root + "/bin:" + std::getenv("PATH")};
  ScopedEnvironment tmpdir{"TMPDIR", root + "/tmp"};
  ScopedCurrentFolder work{root + "/here"};
  TestPlatform platform{comparer};
};

TEST_F(PosixPlatformTest, CompareRunEndsWithTheViewerOnTheFinishedReport) {
  folder.Write("here/old file.txt", "a\n");
  folder.Write("here/new file.txt", "b\n");
  OptionSet options;
  options.advancedCaption = kHideDetailsCaption;
  options.chkC = 1;
  const mode_t oldMask = umask(0);
  CompareRun(platform, [&] {
    return CompareInput{"old file.txt", root + "/here/new file.txt", options};
  });
  umask(oldMask);

  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(
      ReadFields(root + "/fc.args"),
      (std::vector<std::string>{"/C", root + "/here/old file.txt", root + "/here/new file.txt"}));
  ASSERT_TRUE(WaitForFile(root + "/viewer.args"));
  const std::vector<std::string> viewer = ReadFields(root + "/viewer.args");
  ASSERT_EQ(viewer.size(), 2u);
  EXPECT_EQ(viewer[0], "after");
  const std::string& report = viewer[1];
  EXPECT_EQ(report.rfind(root + "/tmp/FC_", 0), 0u) << report;
  EXPECT_TRUE(report.ends_with(".txt")) << report;
  EXPECT_EQ(StatOf(report).st_mode & 07777, 0600u);
  EXPECT_EQ(ReadFile(root + "/viewer.saw"), "compared\n");
  CollectEveryViewer();
}

// Where the temporary folder leaves no room for a unique name, every run
// still writes a new report of its own, in the current folder: never one
// file that two runs share.
TEST_F(PosixPlatformTest, RunsAgainstATooLongTemporaryFolderEachGetANewReport) {
  const std::string deep = MakeDeepFolder(root + "/tmp/deep");
  ASSERT_EQ(access(deep.c_str(), W_OK), 0) << deep.size();
  ScopedEnvironment longTmpdir("TMPDIR", deep);
  folder.Write("here/a.txt", "a\n");
  std::vector<std::string> reports;
  for (int run = 0; run < 2; ++run) {
    unlink((root + "/viewer.args").c_str());
    CompareRun(platform, [] { return CompareInput{"a.txt", "a.txt", OptionSet{}}; });
    ASSERT_TRUE(WaitForFile(root + "/viewer.args"));
    reports.push_back(ReadFields(root + "/viewer.args").at(1));
  }
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_NE(reports[0], reports[1]);
  for (const std::string& report : reports) {
    EXPECT_EQ(report.rfind(root + "/here/FC_", 0), 0u) << report;
    EXPECT_EQ(ReadFile(report), "compared\n");
    EXPECT_EQ(StatOf(report).st_mode & 07777, 0600u);
  }
  CollectEveryViewer();
}

// Where neither the temporary folder nor the working folder takes a report,
// the box names both, each with its own reason.
TEST_F(PosixPlatformTest, NoRoomForAReportAnywhereNamesBothFolders) {
  const std::string tmp = MakeDeepFolder(root + "/tmp/deep");
  ScopedEnvironment longTmpdir("TMPDIR", tmp);
  const std::string here = MakeDeepFolder(root + "/here/deep");
  ScopedCurrentFolder inside(here);
  std::ofstream("a.txt") << "a\n";
  CompareRun(platform, [] { return CompareInput{"a.txt", "a.txt", OptionSet{}}; });
  const std::string tooLong = std::strerror(ENAMETOOLONG);
  EXPECT_EQ(platform.boxes,
            (std::vector<std::string>{"Oops, " + std::to_string(ENAMETOOLONG) +
                                      ": The report file could not be made in " + tmp + " (" +
                                      tooLong + "), nor in " + here + " (" + tooLong + ")"}));
  unlink("a.txt");
}

// A name with a part longer than a name may be, or one that exists but whose
// absolute form, the one the comparer opens, is longer than the system
// takes, is told as too long rather than as missing.
TEST_F(PosixPlatformTest, PathsLongerThanTheSystemTakesAreToldAsTooLong) {
  const std::string name(40, 'n');
  ScopedCurrentFolder inside(MakeDeepFolder(root + "/here/deep"));
  std::ofstream(name) << "x\n";
  CompareRun(platform, [&] { return CompareInput{std::string(300, 'x'), name, OptionSet{}}; });
  CompareRun(platform, [&] { return CompareInput{comparer, name, OptionSet{}}; });
  unlink(name.c_str());
  EXPECT_EQ(platform.boxes, (std::vector<std::string>{kSourceTooLongPrompt, kTargetTooLongPrompt}));
}

// A count that holds characters the shell reads reaches the comparer as
// typed, as one argument, and runs nothing; blanks still part a count from
// its switch as they always have, and ordinary switches stand as they are.
TEST_F(PosixPlatformTest, CountsReachTheComparerAsTypedAndRunNothing) {
  folder.Write("bin/7", "#!/bin/sh\n: > " + ShellWord(root + "/pwned") + "\n", 0755);
  OptionSet options;
  options.advancedCaption = kHideDetailsCaption;
  options.txtLB = "1;7";
  options.txtMinMatch = " 3";
  const std::string switches = BuildSwitches(options, ";");
  EXPECT_EQ(switches, "/LB1;7 / 3 ");
  platform.Wait(platform.Start(platform.CommandPrefix() + CommandSwitches(platform, switches) +
                               "a b > /dev/null"),
                {});
  EXPECT_EQ(ReadFields(root + "/fc.args"),
            (std::vector<std::string>{"/LB1;7", "/", "3", "a", "b"}));
  ExpectNoStrayFile();
  EXPECT_EQ(CommandSwitches(platform, "/A /W /LB 7  /LB+10 /2.5 "), "/A /W /LB 7  /LB+10 /2.5 ");
}

TEST_F(PosixPlatformTest, EveryNameReachesTheComparerAsItIs) {
  const std::string names[] = {"two  blanks and\ttab",
                               "it's",
                               "say \"hi\"",
                               "$(touch pwned)",
                               "`touch pwned`",
                               "a;touch pwned",
                               "a&touch pwned",
                               "a|touch pwned",
                               "a<b",
                               "a>b",
                               "star*",
                               "starX",
                               "what?",
                               "[ab]",
                               "#hash",
                               "~tilde",
                               "~",
                               "back\\slash",
                               "new\nline",
                               "-leading",
                               "--",
                               "\xc3\x9cn\xc3\xaf"
                               "c\xc3\xb8"
                               "d\xc3\xa9",
                               "bad\xff\xfe",
                               "$HOME",
                               "${IFS}",
                               "!bang",
                               "{a,b}",
                               "a=b",
                               "trailing blank ",
                               " ",
                               "'",
                               "\"",
                               "\\"};
  const std::string report = root + "/tmp/report.txt";
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string file = folder.Write("here/" + name, "x\n");
    // Relative names take the current folder; both forms must come through.
    const std::string relative = platform.ShortForm(name);
    const std::string absolute = platform.ShortForm(file);
    ASSERT_NE(relative, "");
    const long pid = platform.Start(platform.CommandPrefix() + relative + " " + absolute + " > " +
                                    ShellWord(report));
    ASSERT_NE(pid, 0);
    platform.Wait(pid, {});
    EXPECT_EQ(ReadFields(root + "/fc.args"), (std::vector<std::string>{file, file}));
    EXPECT_EQ(ReadFile(report), "compared\n");
    ExpectNoStrayFile();
  }
}

TEST_F(PosixPlatformTest, EntryInTheRootFolderNeverReadsAsASwitch) {
  for (const std::string& entry : {std::string("/tmp"), std::string("/etc"), std::string("/")}) {
    SCOPED_TRACE(entry);
    const std::string form = platform.ShortForm(entry);
    const long pid = platform.Start(platform.CommandPrefix() + form + " " + form + " > /dev/null");
    platform.Wait(pid, {});
    const std::vector<std::string> args = ReadFields(root + "/fc.args");
    ASSERT_EQ(args.size(), 2u);
    EXPECT_NE(args[0].find('/', 1), std::string::npos) << args[0];
    EXPECT_EQ(StatOf(args[0]).st_ino, StatOf(entry).st_ino);
  }
  EXPECT_EQ(platform.ShortForm("/tmp"), "/./tmp");
}

TEST_F(PosixPlatformTest, ShortFormKeepsLinksAndRefusesWhatIsNotThere) {
  EXPECT_EQ(platform.ShortForm(""), "");
  EXPECT_EQ(platform.ShortForm(root + "/here/missing"), "");
  ASSERT_EQ(symlink("missing", (root + "/here/dangling").c_str()), 0);
  EXPECT_EQ(platform.ShortForm("dangling"), "");
  ASSERT_EQ(symlink(comparer.c_str(), (root + "/here/link").c_str()), 0);
  EXPECT_EQ(platform.ShortForm("link"), root + "/here/link");
  EXPECT_EQ(platform.ShortForm("."), root + "/here/.");
}

TEST_F(PosixPlatformTest, WaitTellsHowTheRunEndedAndWhatItWroteOnStandardError) {
  using Kind = RunEnd::Kind;
  const struct {
    std::string command;
    Kind kind;
    int status;
    std::string signalName, errors;
  } cases[] = {
      {"echo out; echo oops >&2; exit 2", Kind::kExited, 2, "", "oops\n"},
      {"exit 3", Kind::kExited, 3, "", ""},
      {"kill -SEGV $$", Kind::kSignalled, SIGSEGV, "SIGSEGV (Segmentation fault)", ""},
      // The interpreter's own word on a command that a signal ended is left out.
      {"echo early >&2; sh -c 'kill -KILL $$'", Kind::kSignalled, SIGKILL, "SIGKILL (Killed)",
       "early\n"},
      {"'" + root + "/bin/none' a b", Kind::kExited, 127, "", root + "/bin/none: not found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const long pid = platform.Start(c.command);
    ASSERT_GT(pid, 0);
    const RunEnd end = platform.Wait(pid, {});
    EXPECT_EQ(end.kind, c.kind);
    EXPECT_EQ(end.status, c.status);
    EXPECT_EQ(end.signalName, c.signalName);
    if (c.status == 127) {
      EXPECT_NE(end.errors.find(c.errors), std::string::npos) << end.errors;
    } else {
      EXPECT_EQ(end.errors, c.errors);
    }
    // The interpreter and everything of its run are collected.
    EXPECT_TRUE(NoChildLeft());
  }
}

TEST_F(PosixPlatformTest, MuchOnStandardErrorNeitherStallsTheRunNorFillsTheBox) {
  const RunEnd end =
      platform.Wait(platform.Start("head -c 300000 /dev/zero | tr '\\0' x >&2; exit 0"), {});
  EXPECT_EQ(end.kind, RunEnd::Kind::kExited);
  EXPECT_EQ(end.errors, std::string(2000, 'x') + "\n[...]");
}

// The run is ended as a whole, the comparer too, even when it waits out
// SIGTERM (then SIGKILL follows after the grace).
TEST_F(PosixPlatformTest, EndRunStopsTheInterpreterAndEverythingItStarted) {
  for (const char* deaf : {"", "trap '' TERM; "}) {
    SCOPED_TRACE(deaf);
    unlink((root + "/here/comparer.pid").c_str());
    // The number appears whole: written aside, then renamed into place.
    const long pid = platform.Start(
        std::string(deaf) +
        "sleep 60 & echo $! > pid.part && mv pid.part comparer.pid; wait; echo done");
    ASSERT_TRUE(WaitForFile(root + "/here/comparer.pid"));
    const pid_t comparerPid = std::stoi(ReadFile(root + "/here/comparer.pid"));
    EXPECT_TRUE(platform.EndRun());
    const RunEnd end = platform.Wait(pid, {});
    EXPECT_EQ(end.kind, RunEnd::Kind::kStopped);
    EXPECT_TRUE(WaitUntilGone(comparerPid));
    EXPECT_TRUE(NoChildLeft());
  }
  EXPECT_FALSE(platform.EndRun());
}

TEST_F(PosixPlatformTest, ChildrenGetNoDescriptorsOfTheWindow) {
  const int fd = dup(STDERR_FILENO);  // without close-on-exec
  ASSERT_GT(fd, 2);
  const std::string check = "/proc/$$/fd/" + std::to_string(fd);
  platform.Wait(platform.Start("if [ -e " + check + " ]; then : > leaked; fi"), {});
  close(fd);
  EXPECT_NE(access((root + "/here/leaked").c_str(), F_OK), 0);
}

// The viewer is never waited for; its end is collected once it has come, and
// a viewer that failed is told with the reason.
TEST_F(PosixPlatformTest, ViewerIsCollectedAndItsFailureTold) {
  const std::string report = folder.Write("tmp/FC_x.txt", "r\n");
  std::vector<std::string> reasons;
  const ViewerFailed record = [&reasons](const std::string& reason) { reasons.push_back(reason); };
  platform.StartViewer(platform.ViewerPrefix() + platform.ShortForm(report), record);
  ASSERT_TRUE(WaitForFile(root + "/viewer.args"));
  EXPECT_EQ(ReadFields(root + "/viewer.args"), (std::vector<std::string>{"before", report}));

  folder.Write("bin/xdg-open", "#!/bin/sh\nexit 4\n", 0755);
  platform.StartViewer("xdg-open x", record);
  for (int i = 0; i < 500 && (reasons.empty() || !NoChildLeft()); ++i) {
    platform.CollectViewers();
    usleep(10000);
  }
  EXPECT_TRUE(NoChildLeft());
  EXPECT_EQ(reasons,
            (std::vector<std::string>{"xdg-open ended with exit status 4 (the action failed)"}));

  mkdir((root + "/empty").c_str(), 0700);
  ScopedEnvironment noViewer("PATH", root + "/empty");
  platform.StartViewer("xdg-open x", record);
  EXPECT_EQ(reasons.back(), "xdg-open was not found on PATH (it comes with the package xdg-utils)");
}

TEST_F(PosixPlatformTest, ComparerThatCannotRunRaisesItsReasonInsteadOfAnEmptyReport) {
  const struct {
    std::string comparer;
    int number;
  } cases[] = {
      {root + "/bin/no-such-fc", ENOENT},
      {folder.Write("bin/plain-fc", "#!/bin/sh\n", 0644), EACCES},
      {root + "/bin", EACCES},
  };
  for (const auto& c : cases) {
    TestPlatform broken(c.comparer);
    try {
      broken.Start(broken.CommandPrefix() + "a b > c");
      ADD_FAILURE() << "no error raised for " << c.comparer;
    } catch (const PlatformError& error) {
      EXPECT_EQ(error.number(), c.number) << c.comparer;
      EXPECT_NE(std::string(error.what()).find(c.comparer), std::string::npos);
      EXPECT_NE(std::string(error.what()).find(std::strerror(c.number)), std::string::npos);
    }
  }
}

TEST_F(PosixPlatformTest, CommandPrefixQuotesTheComparer) {
  EXPECT_EQ(TestPlatform("/opt/my tools/fc").CommandPrefix(), "'/opt/my tools/fc' ");
  EXPECT_EQ(platform.ViewerPrefix(), "xdg-open ");
}

// The working folder as the user reached it: through the link the shell came
// by, but only while PWD names this very folder plainly.
TEST_F(PosixPlatformTest, WorkingFolderKeepsTheLinkThroughWhichTheShellCame) {
  const std::string real = root + "/here";
  const std::string link = root + "/link";
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  mkdir((real + "/sub").c_str(), 0700);
  ScopedCurrentFolder throughLink(link);
  {
    ScopedEnvironment pwd("PWD", link);
    EXPECT_EQ(platform.WorkingFolder(), link);
  }
  for (const std::string& stale :
       {real + "/sub", link + "/sub/..", link + "/.", std::string("here")}) {
    ScopedEnvironment pwd("PWD", stale);
    EXPECT_EQ(platform.WorkingFolder(), real) << stale;
  }
  ScopedEnvironment noPwd("PWD", std::nullopt);
  EXPECT_EQ(platform.WorkingFolder(), real);
}

TEST_F(PosixPlatformTest, TempFolderIsTmpdirWhenItIsAFolder) {
  EXPECT_EQ(platform.TempFolder(), root + "/tmp/");
  {
    ScopedEnvironment slash("TMPDIR", root + "/tmp/");
    EXPECT_EQ(platform.TempFolder(), root + "/tmp/");
  }
  for (const std::optional<std::string>& value :
       {std::optional<std::string>(), std::optional<std::string>(""),
        std::optional<std::string>(root + "/nowhere"), std::optional<std::string>(comparer)}) {
    ScopedEnvironment other("TMPDIR", value);
    EXPECT_EQ(platform.TempFolder(), "/tmp/");
  }
}

TEST_F(PosixPlatformTest, UniqueTempFilesAreNewPrivateAndDistinct) {
  const mode_t oldMask = umask(0);
  std::string unused;
  const std::string first = platform.UniqueTempFile(root + "/tmp/", "FC_", &unused);
  const std::string second = platform.UniqueTempFile(root + "/tmp/", "FC_", &unused);
  umask(oldMask);
  EXPECT_NE(first, second);
  for (const std::string& name : {first, second}) {
    EXPECT_EQ(name.rfind(root + "/tmp/FC_", 0), 0u) << name;
    EXPECT_TRUE(name.ends_with(".txt")) << name;
    EXPECT_EQ(StatOf(name).st_mode & 07777, 0600u);
    EXPECT_EQ(StatOf(name).st_size, 0);
  }
  std::string whyNot;
  EXPECT_EQ(platform.UniqueTempFile(root + "/nowhere/", "FC_", &whyNot), "");
  EXPECT_EQ(whyNot, std::strerror(ENOENT));
}

}  // namespace
}  // namespace varnel
