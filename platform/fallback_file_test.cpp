#include "platform/fallback_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "compare/platform.h"
#include "platform/test_folder.h"

namespace varnel {
namespace {

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  lstat(path.c_str(), &status);
  return status.st_mode;
}

// The number of the PlatformError that CreatePrivateFile raises; 0 when none.
int ErrorOf(const std::string& path) {
  try {
    CreatePrivateFile(path);
  } catch (const PlatformError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    return error.number();
  }
  return 0;
}

class CreatePrivateFileTest : public ::testing::Test {
 protected:
  TestFolder folder;
  std::string name = folder.path() + "/fc_0000.tmp";
};

TEST_F(CreatePrivateFileTest, MakesANewPrivateFile) {
  const mode_t oldMask = umask(0);
  EXPECT_EQ(ErrorOf(name), 0);
  umask(oldMask);
  EXPECT_TRUE(S_ISREG(ModeOf(name)));
  EXPECT_EQ(ModeOf(name) & 07777, 0600u);
}

TEST_F(CreatePrivateFileTest, TakesOverAnOwnFileEmptyAndPrivate) {
  folder.Write("fc_0000.tmp", "an old report", 0644);
  EXPECT_EQ(ErrorOf(name), 0);
  EXPECT_EQ(ReadFile(name), "");
  EXPECT_EQ(ModeOf(name) & 07777, 0600u);
}

TEST_F(CreatePrivateFileTest, RefusesAPlantedLink) {
  const std::string victim = folder.Write("victim", "precious", 0644);
  ASSERT_EQ(symlink(victim.c_str(), name.c_str()), 0);
  EXPECT_EQ(ErrorOf(name), EEXIST);
  EXPECT_EQ(ReadFile(victim), "precious");
  EXPECT_TRUE(S_ISLNK(ModeOf(name)));
}

TEST_F(CreatePrivateFileTest, RefusesALinkToAFileNotYetThere) {
  const std::string target = folder.path() + "/made-through-link";
  ASSERT_EQ(symlink(target.c_str(), name.c_str()), 0);
  EXPECT_EQ(ErrorOf(name), EEXIST);
  EXPECT_NE(access(target.c_str(), F_OK), 0);
}

TEST_F(CreatePrivateFileTest, RefusesASecondNameOfAnotherFile) {
  const std::string other = folder.Write("other", "keep me", 0644);
  ASSERT_EQ(link(other.c_str(), name.c_str()), 0);
  EXPECT_EQ(ErrorOf(name), EEXIST);
  EXPECT_EQ(ReadFile(other), "keep me");
}

TEST_F(CreatePrivateFileTest, RefusesPipesAndFoldersWithoutHanging) {
  ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
  EXPECT_EQ(ErrorOf(name), EEXIST);
  const std::string subfolder = folder.path() + "/sub";
  ASSERT_EQ(mkdir(subfolder.c_str(), 0700), 0);
  EXPECT_EQ(ErrorOf(subfolder), EEXIST);
}

TEST_F(CreatePrivateFileTest, MissingFolderGivesTheSystemReason) {
  EXPECT_EQ(ErrorOf(folder.path() + "/no/such/fc_0000.tmp"), ENOENT);
}

}  // namespace
}  // namespace varnel
