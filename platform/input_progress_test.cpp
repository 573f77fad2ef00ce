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

// The share is how far the readers have come in each file, whatever they read
// again: our comparer keeps each position at the furthest byte it has read.
TEST_F(InputProgressTest, ShareIsTheFurthestPositionReachedInEachFile) {
  EXPECT_DOUBLE_EQ(*progress.Take({{{Open{0, 50}, Open{1, 50}}}}), 0.25);
  EXPECT_DOUBLE_EQ(*progress.Take({{{Open{0, 50}, Open{1, 250}}}}), 0.75);
  // A position that goes back, a new process with a smaller one, many helpers
  // that inherit a descriptor and read a little: none moves the share back or
  // adds to it; nor does the reader's end.
  EXPECT_DOUBLE_EQ(*progress.Take({{{Open{0, 10}, Open{1, 0}}}}), 0.75);
  for (int helper = 0; helper < 10; ++helper) progress.Take({{{Open{1, 60}}}});
  EXPECT_DOUBLE_EQ(*progress.Take({}), 0.75);
  // A file that has grown since the run began never counts for more than its
  // size then, and the share is full only at the end of both.
  EXPECT_DOUBLE_EQ(*progress.Take({{{Open{0, 9000}, Open{1, 299}}}}), 399.0 / 400);
  EXPECT_DOUBLE_EQ(*progress.Take({{{Open{1, 300}}}}), 1.0);
}

TEST_F(InputProgressTest, SequentialReadersAreMeasuredByTheirPositions) {
  // A shell and the dd it started share one position on each file.
  EXPECT_DOUBLE_EQ(*progress.Take({{{Open{0, 100}, Open{1, 50}}}, {{Open{0, 100}, Open{1, 50}}}}),
                   0.375);
  // The source, read to its end and closed, still counts.
  EXPECT_DOUBLE_EQ(*progress.Take({{{Open{1, 200}}}}), 0.75);
}

TEST_F(InputProgressTest, EmptyOrMissingFilesGiveNothingToShow) {
  InputProgress empty(0, {folder.Write("empty", ""), folder.path() + "/missing"});
  EXPECT_FALSE(empty.Take({{{Open{0, 0}}}}).has_value());
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
