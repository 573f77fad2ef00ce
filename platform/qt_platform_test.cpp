#include "platform/qt_platform.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/testing/scoped_environment.h"
#include "platform/testing/test_folder.h"

namespace varnel {
namespace {

bool IsReaped(long pid) {
  int status = 0;
  return waitpid(static_cast<pid_t>(pid), &status, WNOHANG) == -1 && errno == ECHILD;
}

TEST(QtPlatformWaitTest, KeepsTheEventLoopRunningWithABusyCursorUntilTheEnd) {
  QtPlatform platform("/bin/true");
  const long pid = platform.Start("sleep 0.3");
  ASSERT_GT(pid, 0);
  bool timerRan = false;
  int shapeDuring = -1;
  QTimer::singleShot(50, [&] {
    timerRan = true;
    if (const QCursor* cursor = QApplication::overrideCursor()) shapeDuring = cursor->shape();
  });
  QElapsedTimer clock;
  clock.start();
  platform.Wait(pid, {});
  EXPECT_GE(clock.elapsed(), 250);
  EXPECT_TRUE(timerRan);
  EXPECT_EQ(shapeDuring, Qt::WaitCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(IsReaped(pid));
}

TEST(QtPlatformWaitTest, TellsHowTheRunEndedAndTakesInAllItWrites) {
  QtPlatform platform("/bin/true");
  const RunEnd end = platform.Wait(
      platform.Start("sleep 0.1; echo oops >&2; head -c 300000 /dev/zero >&2; exit 5"), {});
  EXPECT_EQ(end.kind, RunEnd::Kind::kExited);
  EXPECT_EQ(end.status, 5);
  EXPECT_EQ(end.errors.substr(0, 5), "oops\n");
}

TEST(QtPlatformWaitTest, EndRunDuringTheWaitStopsTheRun) {
  QtPlatform platform("/bin/true");
  EXPECT_FALSE(platform.EndRun());
  const long pid = platform.Start("trap '' TERM; sleep 60");
  bool ending = false;
  QTimer::singleShot(50, [&] { ending = platform.EndRun(); });
  const RunEnd end = platform.Wait(pid, {});
  EXPECT_TRUE(ending);
  EXPECT_EQ(end.kind, RunEnd::Kind::kStopped);
  EXPECT_TRUE(IsReaped(pid));
}

// A box about a viewer could not be closed while input is dropped, so it waits
// until the run is over.
TEST(QtPlatformViewerTest, FailureIsToldFromTheEventLoopButNeverDuringAWait) {
  TestFolder folder;
  folder.Write("xdg-open", "#!/bin/sh\nexit 3\n", 0755);
  ScopedEnvironment path("PATH", folder.path() + ":" + std::getenv("PATH"));
  QtPlatform platform("/bin/true");
  std::vector<std::string> reasons;
  bool waiting = false;
  platform.StartViewer("xdg-open x", [&](const std::string& reason) {
    EXPECT_FALSE(waiting);
    reasons.push_back(reason);
  });
  waiting = true;
  platform.Wait(platform.Start("sleep 0.3"), {});
  waiting = false;
  EXPECT_TRUE(QTest::qWaitFor([&] { return !reasons.empty(); }));
  EXPECT_EQ(reasons, std::vector<std::string>{
                         "xdg-open ended with exit status 3 (a required tool could not be found)"});
  int status = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
}

TEST(QtPlatformWaitTest, ReapsAChildThatHasAlreadyEnded) {
  QtPlatform platform("/bin/true");
  const long pid = platform.Start("exit 4");
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT), 0);
  platform.Wait(pid, {});
  EXPECT_TRUE(IsReaped(pid));
}

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Shows a box through `platform` and closes it as soon as it is up.
SeenBox ShowAndClose(QtPlatform& platform, const std::string& prompt, BoxStyle style,
                     const std::optional<std::string>& title) {
  SeenBox seen;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen = {box->windowTitle(), box->text(), box->icon()};
      box->accept();
    }
  });
  closer.start(10);
  platform.MessageBox(prompt, style, title);
  return seen;
}

TEST(QtPlatformMessageBoxTest, TitleAndIconFollowTheRequest) {
  QtPlatform platform("/bin/true");
  const SeenBox critical =
      ShowAndClose(platform, "Problem executing file compare", BoxStyle::kCritical, "File Compare");
  EXPECT_EQ(critical.title, "File Compare");
  EXPECT_EQ(critical.text, "Problem executing file compare");
  EXPECT_EQ(critical.icon, QMessageBox::Critical);

  const SeenBox untitled = ShowAndClose(platform, "Oops, 2: <b>x</b>", BoxStyle::kPlain, {});
  EXPECT_EQ(untitled.title, "Varnel");
  EXPECT_EQ(untitled.text, "Oops, 2: <b>x</b>");
  EXPECT_EQ(untitled.icon, QMessageBox::NoIcon);
}

// Kept last: once the application has been told to quit, no event loop runs again.
TEST(QtPlatformQuitTest, QuittingDuringTheWaitEndsTheRun) {
  QtPlatform platform("/bin/true");
  const long pid = platform.Start("sleep 60");
  QTimer::singleShot(20, [] { QCoreApplication::exit(0); });
  EXPECT_EQ(platform.Wait(pid, {}).kind, RunEnd::Kind::kStopped);
  EXPECT_TRUE(IsReaped(pid));
}

}  // namespace
}  // namespace varnel
