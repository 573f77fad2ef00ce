#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using varnel::CommandLine;
using varnel::ParseCommandLine;
using Action = CommandLine::Action;

using Files = QList<QByteArray>;

CommandLine Parse(Files arguments, const QByteArray& folder = "/home/me") {
  arguments.prepend("varnel");
  return ParseCommandLine(arguments, folder);
}

// Paths are made absolute by putting the working folder in front, and
// nothing else: ".." after a link must keep leading where the link leads.
TEST(CommandLineTest, FilesBecomeAbsoluteWithLinksAndDotDotAsTheyAre) {
  EXPECT_EQ(Parse({"old.txt", "../new.txt"}).files,
            Files({"/home/me/old.txt", "/home/me/../new.txt"}));
  EXPECT_EQ(Parse({"/abs/old.txt", "sub/dir/../new.txt"}).files,
            Files({"/abs/old.txt", "/home/me/sub/dir/../new.txt"}));
  EXPECT_EQ(Parse({"././/my file.txt"}).files, Files({"/home/me/my file.txt"}));
  EXPECT_EQ(Parse({"a.txt"}, "/").files, Files({"/a.txt"}));
  EXPECT_EQ(Parse({"", "b"}).files, Files({"", "/home/me/b"}));
  // After "--" a name that starts with a dash is a file, and Qt never sees it.
  EXPECT_EQ(Parse({"--", "-old", "--help"}).files, Files({"/home/me/-old", "/home/me/--help"}));
  EXPECT_EQ(varnel::QtArgumentCount({"varnel", "-platform", "xcb", "--", "-title", "a"}), 3);
  EXPECT_EQ(varnel::QtArgumentCount({"varnel", "-reverse", "a"}), 3);
  // A name that is not UTF-8 keeps its bytes.
  EXPECT_EQ(Parse({"caf\xe9.txt", "--", "\xff-"}).files,
            Files({"/home/me/caf\xe9.txt", "/home/me/\xff-"}));
}

TEST(CommandLineTest, UnknownOptionsAndAThirdFileAreRefused) {
  const CommandLine unknown = Parse({"--bogus", "a"});
  EXPECT_EQ(unknown.action, Action::kRefuse);
  EXPECT_TRUE(unknown.text.contains("bogus")) << unknown.text.toStdString();
  EXPECT_EQ(Parse({"-x"}).action, Action::kRefuse);
  EXPECT_EQ(Parse({"--version=2"}).action, Action::kRefuse);
  const CommandLine three = Parse({"a", "b", "c"});
  EXPECT_EQ(three.action, Action::kRefuse);
  EXPECT_EQ(three.text, "Too many files: 3 given, but only a source and a target can be compared.");
}

}  // namespace
