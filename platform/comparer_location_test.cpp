#include "platform/comparer_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/testing/test_folder.h"

namespace varnel {
namespace {

class FindComparerTest : public ::testing::Test {
 protected:
  FindComparerTest() { mkdir(bin.c_str(), 0755); }
  TestFolder folder;
  std::string bin = folder.path() + "/bin";
  std::string installed = folder.path() + "/libexec/varnel/fc";
};

TEST_F(FindComparerTest, BuildTreeRunsTheOneBeside) {
  EXPECT_EQ(FindComparer(bin), bin + "/fc");
  folder.Write("bin/fc", "#!/bin/sh\n", 0755);
  EXPECT_EQ(FindComparer(bin + "/"), bin + "/fc");
  EXPECT_EQ(FindTranslations(bin + "/"), bin + "/translations");
}

// Once the prefix has a libexec folder, the fc beside the window is never
// used, whatever state the installed one is in.
TEST_F(FindComparerTest, InstalledWindowRunsOnlyTheInstalledOne) {
  folder.Write("bin/fc", "#!/bin/sh\n", 0755);
  mkdir((folder.path() + "/libexec").c_str(), 0755);
  EXPECT_EQ(FindComparer(bin), installed);
  EXPECT_EQ(FindTranslations(bin), folder.path() + "/share/varnel/translations");
  mkdir((folder.path() + "/libexec/varnel").c_str(), 0755);
  folder.Write("libexec/varnel/fc", "not a program", 0644);
  EXPECT_EQ(FindComparer(bin), installed);
  chmod(installed.c_str(), 0755);
  EXPECT_EQ(FindComparer(bin), installed);
}

TEST_F(FindComparerTest, SystemFoldersNeverRunTheirOwnFc) {
  EXPECT_EQ(FindComparer("/usr/bin"), "/usr/libexec/varnel/fc");
  EXPECT_EQ(FindComparer("/usr/local/bin/"), "/usr/local/libexec/varnel/fc");
  EXPECT_EQ(FindTranslations("/usr/bin"), "/usr/share/varnel/translations");
}

}  // namespace
}  // namespace varnel
