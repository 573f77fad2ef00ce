#include "fc/arguments.h"

#include <gtest/gtest.h>

namespace fc {
namespace {

Arguments Parse(std::vector<std::string> args) {
  return ParseArguments(args);
}

TEST(Arguments, SwitchesIgnoreLetterCaseAndMayStandAnywhere) {
  Arguments r = Parse({"/a", "/C", "x.txt", "/n", "/t", "/W", "y.txt", "/l"});
  ASSERT_EQ(r.action, Action::kCompare) << r.complaint;
  EXPECT_TRUE(r.options.abbreviate && r.options.ignore_case && r.options.line_numbers &&
              r.options.keep_tabs && r.options.compress_white && r.options.force_text);
  EXPECT_FALSE(r.options.binary);
  EXPECT_EQ(r.file1, "x.txt");
  EXPECT_EQ(r.file2, "y.txt");
  EXPECT_EQ(r.options.max_mismatch, 100u);
  EXPECT_EQ(r.options.min_match, 2u);
}

TEST(Arguments, CountsInEveryFormTheWindowCanSend) {
  struct Case {
    std::vector<std::string> args;
    uint64_t lb, match;
  } cases[] = {
      {{"/lb5", "/3"}, 5, 3},         {{"/LB007", "/+4"}, 7, 4},
      {{"/LB", "7", "/", "9"}, 7, 9}, {{"/LB", " 7", "/", "  +2"}, 7, 2},
      {{"/LB 12", "/ 1"}, 12, 1},     {{"/LB99999999999999999999999"}, kCountLimit, 2},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("a");
    args.push_back("b");
    Arguments r = Parse(args);
    ASSERT_EQ(r.action, Action::kCompare) << args[0] << ": " << r.complaint;
    EXPECT_EQ(r.options.max_mismatch, c.lb) << args[0];
    EXPECT_EQ(r.options.min_match, c.match) << args[0];
  }
}

TEST(Arguments, BadSwitchesAreRefusedWithTheirNameAndReason) {
  struct Case {
    std::vector<std::string> args;
    const char* complaint;
  } cases[] = {
      {{"/X"}, "FC: invalid switch /X - unknown switch"},
      {{"/LB0"}, "FC: invalid switch /LB0 - the count must be 1 or more"},
      {{"/-3"}, "FC: invalid switch /-3 - the count must be 1 or more"},
      {{"/LB0.5"}, "FC: invalid switch /LB0.5 - the count must be a whole number"},
      {{"/2,5"}, "FC: invalid switch /2,5 - the count must be a whole number"},
      {{"/LBinf"}, "FC: invalid switch /LBinf - the count must be a whole number from 1 up"},
      {{"/LB1e3"}, "FC: invalid switch /LB1e3 - the count must be a whole number from 1 up"},
      {{"/LB", "2.5"}, "FC: invalid switch /LB 2.5 - the count must be a whole number"},
      {{"/LB", "/N"}, "FC: invalid switch /LB - a count is needed after it"},
      {{"/", "/A"}, "FC: invalid switch / - a count is needed after it"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("a");
    args.push_back("b");
    Arguments r = Parse(args);
    EXPECT_EQ(r.action, Action::kRefuse) << args[0];
    EXPECT_EQ(r.complaint, c.complaint);
  }
  Arguments r = Parse({"a", "b", "/LB"});
  EXPECT_EQ(r.complaint, "FC: invalid switch /LB - a count is needed after it");
}

TEST(Arguments, ASecondSlashMakesAFileName) {
  Arguments r = Parse({"//etc", "/./N"});
  ASSERT_EQ(r.action, Action::kCompare) << r.complaint;
  EXPECT_EQ(r.file1, "//etc");
  EXPECT_EQ(r.file2, "/./N");
  EXPECT_FALSE(r.options.line_numbers);
  EXPECT_EQ(Parse({"/home/u/a.txt", "b"}).file1, "/home/u/a.txt");
}

TEST(Arguments, ExactlyTwoFileNames) {
  EXPECT_EQ(Parse({"a"}).complaint, "FC: two file names are needed, 1 was given");
  EXPECT_EQ(Parse({}).complaint, "FC: two file names are needed, 0 were given");
  EXPECT_EQ(Parse({"a", "b", "c"}).complaint, "FC: two file names are needed, 3 were given");
}

TEST(Arguments, QuestionMarkAsksForUsage) {
  EXPECT_EQ(Parse({"/?"}).action, Action::kUsage);
  EXPECT_EQ(Parse({"/A", "/?", "a"}).action, Action::kUsage);
  EXPECT_NE(UsageText().find("/LB<count>"), std::string::npos);
}

TEST(Arguments, ExtensionChoosesBinary) {
  for (const char* name : {"a.exe", "B.COM", "c.Sys", "d.obj", "e.lib", "f.bin", "/x/y.BIN"})
    EXPECT_TRUE(NameChoosesBinary(name)) << name;
  for (const char* name : {"a.txt", "exe", "a.exe.txt", "a.binx", ".bi", ""})
    EXPECT_FALSE(NameChoosesBinary(name)) << name;
}

}  // namespace
}  // namespace fc
