#include "compare/switches.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace varnel {
namespace {

struct Row {
  bool details;
  std::int16_t b, a, c, l, n, t, w;
  const char* lb;
  const char* minMatch;
  const char* expected;
};

OptionSet Options(const Row& row) {
  OptionSet options;
  options.advancedCaption = row.details ? kHideDetailsCaption : kShowDetailsCaption;
  options.chkB = row.b;
  options.chkA = row.a;
  options.chkC = row.c;
  options.chkL = row.l;
  options.chkN = row.n;
  options.chkT = row.t;
  options.chkW = row.w;
  options.txtLB = row.lb;
  options.txtMinMatch = row.minMatch;
  return options;
}

TEST(BuildSwitchesTest, EdgeCaseTable) {
  const Row rows[] = {
      // details, B A C L N T W, LB, MinMatch, switch string
      {false, 0, 1, 1, 0, 0, 0, 0, "5", "2", ""},
      {true, 0, 0, 0, 0, 0, 0, 0, "0", "0", ""},
      {true, 1, 1, 0, 0, 0, 0, 1, "5", "2", "/B "},
      {true, 0, 1, 0, 0, 0, 0, 1, "0", "0", "/A /W "},
      {true, 0, 0, 0, 0, 1, 0, 0, "10", "0", "/N /LB10 "},
      {true, 0, 0, 0, 0, 0, 0, 0, "0", "3", "/3 "},
      {true, 0, 1, 1, 1, 1, 1, 1, "10", "3", "/A /C /L /N /T /W /LB10 /3 "},
      {true, 0, 0, 1, 0, 0, 0, 0, "abc", "", "/C "},
      {true, 0, 0, 0, 0, 0, 0, 0, " 7", "2.5", "/LB 7 /2.5 "},
      {true, 0, 0, 0, 0, 0, 0, 0, "-4", "0.0", ""},
      {true, 0, 0, 0, 0, 0, 0, 0, "999", "0", "/LB999 "},
      {true, 0, 0, 0, 2, 0, 0, 0, "0", "0", "/L "},
      {true, 2, 0, 0, 0, 0, 0, 0, "0", "0", "/B "},
      {true, 0, 0, 0, 0, 0, 0, 0, "007", "0.5", "/LB007 /0.5 "},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(BuildSwitches(Options(row), "."), row.expected)
        << "LB \"" << row.lb << "\", MinMatch \"" << row.minMatch << "\"";
  }
}

TEST(BuildSwitchesTest, DetailsCountOnlyForTheExactHideCaption) {
  OptionSet options;
  options.chkA = 1;
  options.txtLB = "5";
  for (const char* caption : {"Details >>>", "no details <<<", "No Details <<< ", " No Details <<<",
                              "No Details<<<", ""}) {
    options.advancedCaption = caption;
    EXPECT_EQ(BuildSwitches(options, "."), "") << '"' << caption << '"';
  }
  options.advancedCaption = "No Details <<<";
  EXPECT_EQ(BuildSwitches(options, "."), "/A /LB5 ");
  // A window that speaks another language compares with its own caption.
  options.hideDetailsCaption = "Keine Details <<<";
  EXPECT_EQ(BuildSwitches(options, "."), "");
  options.advancedCaption = "keine Details <<<";
  EXPECT_EQ(BuildSwitches(options, "."), "");
  options.advancedCaption = "Keine Details <<<";
  EXPECT_EQ(BuildSwitches(options, "."), "/A /LB5 ");
}

TEST(BuildSwitchesTest, CountsAreSentExactlyAsTyped) {
  OptionSet options;
  options.advancedCaption = kHideDetailsCaption;
  options.txtLB = "\t+12 ";
  options.txtMinMatch = "2,5";
  EXPECT_EQ(BuildSwitches(options, ","), "/LB\t+12  /2,5 ");
}

TEST(CountTestTest, PlainPositiveDecimalsPass) {
  for (const char* text :
       {"1", " 7", "7 ", "\t7\t", "+3", "2.5", "007", "0.5", ".5", "5.", "42 "}) {
    EXPECT_TRUE(PassesCountTest(text, ".")) << '"' << text << '"';
  }
}

TEST(CountTestTest, ZeroNegativeAndNonNumbersFail) {
  for (const char* text : {"",
                           " ",
                           "0",
                           "0.0",
                           "-4",
                           "-0",
                           "+",
                           ".",
                           "-",
                           "abc",
                           "7a",
                           "7 7",
                           "1e3",
                           "1E3",
                           "1,000",
                           "1 000",
                           "inf",
                           "nan",
                           "Infinity",
                           "0x10",
                           "$5",
                           "5$",
                           "(5)",
                           "2..5",
                           "- 4",
                           "5\n",
                           "\xC2\xA0"
                           "5"}) {
    EXPECT_FALSE(PassesCountTest(text, ".")) << '"' << text << '"';
  }
}

// What the window tells of a count: blank and zero are the default as meant;
// other text the test refuses is dropped; a fraction is sent and refused.
TEST(CountTestTest, FateOfCountTellsWhatTheComparisonMakesOfTheText) {
  const std::pair<CountFate, std::vector<const char*>> fates[] = {
      {CountFate::kUnset, {"0", "", " ", "0.0", "-0"}},
      {CountFate::kSent, {"7", " +7 ", "007"}},
      {CountFate::kNotUsed, {"1,000", "1 000", "1e3", "-4", "1000 lines"}},
      {CountFate::kRefused, {"200.", "2.5"}},
  };
  for (const auto& [fate, texts] : fates) {
    for (const char* text : texts) EXPECT_EQ(FateOfCount(text, "."), fate) << '"' << text << '"';
  }
  EXPECT_EQ(FateOfCount("1,000", ","), CountFate::kRefused);
  EXPECT_EQ(FateOfCount(std::string(400, '9'), "."), CountFate::kSent);
}

TEST(CountTestTest, NoUpperBound) {
  EXPECT_TRUE(PassesCountTest(std::string(400, '9'), "."));
}

TEST(CountTestTest, ValueTooSmallForADoubleIsZero) {
  EXPECT_FALSE(PassesCountTest("0." + std::string(400, '0') + "1", "."));
}

TEST(CountTestTest, FollowsTheLocaleDecimalSeparator) {
  EXPECT_TRUE(PassesCountTest("2,5", ","));
  EXPECT_FALSE(PassesCountTest("2.5", ","));
  EXPECT_TRUE(PassesCountTest("3", ","));
  EXPECT_FALSE(PassesCountTest("0,0", ","));
  // A separator of more than one byte, as some locales have.
  EXPECT_TRUE(
      PassesCountTest("2\xD9\xAB"
                      "5",
                      "\xD9\xAB"));
}

TEST(CountTestTest, UserDecimalPointIsTheCLocaleDotByDefault) {
  EXPECT_EQ(UserDecimalPoint(), ".");
}

}  // namespace
}  // namespace varnel
