#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using varnel::CommandLine;
using varnel::ParseCommandLine;
using Action = CommandLine::Action;

CommandLine Parse(QStringList arguments, const QString& folder = QStringLiteral("/home/me")) {
  arguments.prepend(QStringLiteral("varnel"));
  return ParseCommandLine(arguments, folder);
}

// Paths are made absolute by putting the working folder in front, and
// nothing else: ".." after a link must keep leading where the link leads.
TEST(CommandLineTest, FilesBecomeAbsoluteWithLinksAndDotDotAsTheyAre) {
  EXPECT_EQ(Parse({"old.txt", "../new.txt"}).files,
            QStringList({"/home/me/old.txt", "/home/me/../new.txt"}));
  EXPECT_EQ(Parse({"/abs/old.txt", "sub/dir/../new.txt"}).files,
            QStringList({"/abs/old.txt", "/home/me/sub/dir/../new.txt"}));
  EXPECT_EQ(Parse({"././/my file.txt"}).files, QStringList({"/home/me/my file.txt"}));
  EXPECT_EQ(Parse({"a.txt"}, "/").files, QStringList({"/a.txt"}));
  EXPECT_EQ(Parse({"", "b"}).files, QStringList({"", "/home/me/b"}));
  // After "--" a name that starts with a dash is a file.
  EXPECT_EQ(Parse({"--", "-old", "--help"}).files,
            QStringList({"/home/me/-old", "/home/me/--help"}));
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

// Sets PWD and the working folder for one test, and puts both back after.
class WorkingFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch.isValid());
    real = QDir(scratch.path()).canonicalPath() + "/real";
    link = scratch.path() + "/link";
    ASSERT_TRUE(QDir().mkpath(real + "/sub"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(QDir::setCurrent(link));
  }
  void TearDown() override {
    QDir::setCurrent(oldFolder);
    qputenv("PWD", oldPwd);
  }

  QTemporaryDir scratch;
  QString real, link;
  const QString oldFolder = QDir::currentPath();
  const QByteArray oldPwd = qgetenv("PWD");
};

TEST_F(WorkingFolderTest, KeepsTheLinkThroughWhichTheShellCame) {
  qputenv("PWD", QFile::encodeName(link));
  EXPECT_EQ(varnel::WorkingFolder(), link);
}

TEST_F(WorkingFolderTest, TakesTheSystemsFolderWhenPwdIsStaleOrRoundabout) {
  for (const QString& pwd : {real + "/sub", link + "/sub/..", link + "/.", QString("relative")}) {
    qputenv("PWD", QFile::encodeName(pwd));
    EXPECT_EQ(varnel::WorkingFolder(), real) << pwd.toStdString();
  }
  qunsetenv("PWD");
  EXPECT_EQ(varnel::WorkingFolder(), real);
}

}  // namespace
