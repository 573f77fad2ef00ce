#include "platform/input_progress.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "platform/run_process.h"
#include "platform/testing/test_folder.h"
#include "platform/testing/wait_for_file.h"

namespace varnel {
namespace {

using Open = ProcessReads::OpenInput;

// Two inputs of 100 and 300 bytes, measured from views of a group given by hand.
class InputProgressTest : public ::testing::Test {
 protected:
  InputProgressTest()
      : source(folder.Write("source", std::string(100, 's'))),
        target(folder.Write("target", std::string(300, 't'))),
        progress(0, {source, target}) {}

  TestFolder folder;
  std::string source, target;
  InputProgress progress;
};

// Our comparer reads with pread: the positions stay at 0, and its count of
// bytes read stands for what it read of the files it holds.
TEST_F(InputProgressTest, ReaderThatLeavesThePositionsIsMeasuredByItsCount) {
  EXPECT_DOUBLE_EQ(*progress.Take({{7, 100, {Open{0, 0}, Open{1, 0}}}}), 0.25);
  EXPECT_DOUBLE_EQ(*progress.Take({{7, 300, {Open{0, 0}, Open{1, 0}}}}), 0.75);
  // The share never goes back: not for a new process with a smaller count,
  // nor when the reader has ended.
  EXPECT_DOUBLE_EQ(*progress.Take({{8, 40, {Open{0, 0}, Open{1, 0}}}}), 0.75);
  EXPECT_DOUBLE_EQ(*progress.Take({}), 0.75);
  // Bytes read beyond the files, ld.so's among them, never pass the end.
  EXPECT_DOUBLE_EQ(*progress.Take({{7, 9000, {Open{0, 0}, Open{1, 0}}}}), 1.0);
}

TEST_F(InputProgressTest, CountIsCutToTheFilesTheProcessHeld) {
  EXPECT_DOUBLE_EQ(*progress.Take({{7, 250, {Open{0, 0}}}}), 0.25);
  // Many helpers that inherit the descriptors and read a little of
  // something else do not add up.
  for (pid_t helper = 10; helper < 20; ++helper) progress.Take({{helper, 60, {Open{1, 0}}}});
  EXPECT_DOUBLE_EQ(*progress.Take({}), 0.25);
}

TEST_F(InputProgressTest, SequentialReadersAreMeasuredByTheirPositions) {
  // A shell and the dd it started share one position on each file; the
  // shell's count holds everything its ended children read, of anything.
  EXPECT_DOUBLE_EQ(*progress.Take({{7, 5000, {Open{0, 100}, Open{1, 50}}},
                                   {8, 700, {Open{0, 100}, Open{1, 50}}}}),
                   0.375);
  // The source, read to its end and closed, still counts.
  EXPECT_DOUBLE_EQ(*progress.Take({{7, 9000, {Open{1, 200}}}}), 0.75);
}

TEST_F(InputProgressTest, EmptyOrMissingFilesGiveNothingToShow) {
  InputProgress empty(0, {folder.Write("empty", ""), folder.path() + "/missing"});
  EXPECT_FALSE(empty.Take({{7, 100, {Open{0, 0}}}}).has_value());
  EXPECT_FALSE(empty.Sample().has_value());
}

// From /proc: a shell of a run's group holds both files, and a dd it started
// has read 200 bytes of the target through the shared position.
TEST_F(InputProgressTest, SampleFindsTheFilesHeldInTheRunsGroup) {
  const std::string done = folder.path() + "/done";
  int error = 0;
  const std::unique_ptr<RunProcess> run = RunProcess::Start(
      "exec 3<'" + source + "' 4<'" + target + "'; dd bs=10 count=20 <&4 >/dev/null 2>&1; : >'" +
          done + "'; exec sleep 30",
      &error);
  ASSERT_TRUE(run) << error;
  ASSERT_TRUE(WaitForFile(done));
  InputProgress fromProc(run->group(), {source, target});
  EXPECT_DOUBLE_EQ(*fromProc.Sample(), 0.5);
  // Nothing outside the group counts.
  InputProgress ownGroup(getpgrp(), {source, target});
  EXPECT_DOUBLE_EQ(*ownGroup.Sample(), 0.0);
  run->Kill();
  run->Finish();
}

}  // namespace
}  // namespace varnel
