#include "platform/shell_word.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/child_process.h"
#include "platform/testing/file_contents.h"
#include "platform/testing/test_folder.h"

namespace varnel {
namespace {

TEST(ShellWordTest, PlainPathsStayBare) {
  EXPECT_EQ(ShellWord("/home/u/old-v1.2_b+c,d:e@f%g.txt"), "/home/u/old-v1.2_b+c,d:e@f%g.txt");
}

TEST(ShellWordTest, EverythingElseIsSingleQuoted) {
  EXPECT_EQ(ShellWord(""), "''");
  EXPECT_EQ(ShellWord("/a b"), "'/a b'");
  EXPECT_EQ(ShellWord("/it's"), "'/it'\\''s'");
  EXPECT_EQ(ShellWord("A=b"), "'A=b'");
  EXPECT_EQ(ShellWord("~"), "'~'");
}

// What the shell makes of a word is the real test: every byte but NUL, and
// the quote in every position, must come back unchanged.
TEST(ShellWordTest, ShellReadsEveryByteBack) {
  TestFolder folder;
  std::string allBytes;
  for (int c = 1; c < 256; ++c) allBytes += static_cast<char>(c);
  for (const std::string& word :
       {allBytes, std::string("'"), std::string("''a''"), std::string("-n"), std::string("\n"),
        std::string("$(echo x)`echo y`${HOME}"), std::string("A=b")}) {
    const std::string out = folder.path() + "/out";
    const pid_t pid = SpawnShell("printf '%s' " + ShellWord(word) + " > " + out);
    ASSERT_NE(pid, 0);
    ReapChild(pid);
    EXPECT_EQ(ReadFile(out), word);
  }
}

TEST(ShellWordTest, QuotedWordInCommandPositionIsNoAssignment) {
  TestFolder folder;
  const std::string out = folder.path() + "/out";
  const pid_t pid = SpawnShell(ShellWord("A=b") + " 2>/dev/null; echo $? > " + out);
  ASSERT_NE(pid, 0);
  ReapChild(pid);
  EXPECT_EQ(ReadFile(out), "127\n");  // run as a command, which does not exist
}

}  // namespace
}  // namespace varnel
