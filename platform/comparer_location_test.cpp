#include "platform/comparer_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/test_folder.h"

namespace varnel {
namespace {

class FindComparerTest : public ::testing::Test {
 protected:
  FindComparerTest() {
    mkdir((folder.path() + "/bin").c_str(), 0755);
    mkdir((folder.path() + "/libexec").c_str(), 0755);
    mkdir((folder.path() + "/libexec/varnel").c_str(), 0755);
  }
  TestFolder folder;
  std::string bin = folder.path() + "/bin";
};

TEST_F(FindComparerTest, PrefersTheOneBesideTheProgram) {
  folder.Write("bin/fc", "#!/bin/sh\n", 0755);
  folder.Write("libexec/varnel/fc", "#!/bin/sh\n", 0755);
  EXPECT_EQ(FindComparer(bin), bin + "/fc");
}

TEST_F(FindComparerTest, FallsBackToTheInstalledOne) {
  folder.Write("libexec/varnel/fc", "#!/bin/sh\n", 0755);
  EXPECT_EQ(FindComparer(bin), bin + "/../libexec/varnel/fc");
  folder.Write("bin/fc", "not a program", 0644);
  EXPECT_EQ(FindComparer(bin), bin + "/../libexec/varnel/fc");
}

TEST_F(FindComparerTest, NoneRunnableNamesOneThatIsThere) {
  folder.Write("libexec/varnel/fc", "not a program", 0644);
  EXPECT_EQ(FindComparer(bin), bin + "/../libexec/varnel/fc");
}

TEST_F(FindComparerTest, NoneFoundGivesTheNameBeside) {
  mkdir((bin + "/fc").c_str(), 0755);  // a folder is no program
  EXPECT_EQ(FindComparer(bin), bin + "/fc");
}

}  // namespace
}  // namespace varnel
