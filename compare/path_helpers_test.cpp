#include "compare/path_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "compare/testing/stand_in_platform.h"

namespace varnel {
namespace {

using namespace std::string_literals;

TEST(JustPathTest, KeepsFolderUpToLastSlash) {
  EXPECT_EQ(JustPath("/home/u/a.txt"), "/home/u/");
  EXPECT_EQ(JustPath("/a.txt"), "/");
  EXPECT_EQ(JustPath("/home/u/"), "/home/u/");
  EXPECT_EQ(JustPath("rel/dir/a.txt"), "rel/dir/");
}

TEST(JustPathTest, BackslashAndColonAreOrdinaryCharacters) {
  EXPECT_EQ(JustPath("a.txt"), "");
  EXPECT_EQ(JustPath(""), "");
  EXPECT_EQ(JustPath("dir\\a.txt"), "");
  EXPECT_EQ(JustPath("C:old.txt"), "");
  EXPECT_EQ(JustPath("/srv/C:\\x\\a.txt"), "/srv/");
}

TEST(ShortNameTest, EmptyPathGivesEmptyWithoutAskingThePlatform) {
  StandInPlatform platform;
  EXPECT_EQ(ShortName(platform, ""), "");
  EXPECT_EQ(ShortName(platform, "\0/tmp/a"s), "");
  EXPECT_TRUE(platform.calls.empty());
}

// What exists at a path, and so whether its form is "", is the platform's to
// say; the helper gives its answer for the text before the first NUL.
TEST(ShortNameTest, GivesThePlatformsFormOfTheTextBeforeTheFirstNul) {
  StandInPlatform platform;
  platform.shortForms["/tmp/FC_ab.txt"] = "/./tmp/FC_ab.txt";
  EXPECT_EQ(ShortName(platform, "/tmp/FC_ab.txt\0     "s), "/./tmp/FC_ab.txt");
  EXPECT_EQ(platform.calls, std::vector<std::string>{"ShortForm(/tmp/FC_ab.txt)"});
}

}  // namespace
}  // namespace varnel
