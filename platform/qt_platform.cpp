#include "platform/qt_platform.h"

#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <utility>

namespace varnel {

namespace {

// How often the wait looks at the process when the kernel offers no pidfd.
constexpr int kPollMilliseconds = 25;

// Shows the busy cursor for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// True once the child has ended; the child is left to be reaped.
bool HasEnded(pid_t pid) {
  siginfo_t info{};
  if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return true;
  return info.si_pid != 0;
}

// A descriptor that becomes readable when `pid` ends; -1 when the kernel has none.
int OpenPidDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

// Runs `loop` until `pid` has ended, processing everything but user input.
void RunUntilEnded(QEventLoop& loop, pid_t pid) {
  if (HasEnded(pid)) return;
  const int pidfd = OpenPidDescriptor(pid);
  if (pidfd >= 0) {
    QSocketNotifier notifier(pidfd, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    notifier.setEnabled(false);
    close(pidfd);
    return;
  }
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, pid] {
    if (HasEnded(pid)) loop.quit();
  });
  poll.start(kPollMilliseconds);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

QtPlatform::QtPlatform(std::string comparerPath) : PosixPlatform(std::move(comparerPath)) {}

void QtPlatform::Wait(long pid) {
  if (pid <= 0) return;
  const BusyCursor busy;
  QEventLoop loop;
  RunUntilEnded(loop, static_cast<pid_t>(pid));
  // The loop also ends when the application quits; the blocking wait then
  // still keeps the viewer from starting early and leaves no zombie.
  PosixPlatform::Wait(pid);
}

void QtPlatform::MessageBox(const std::string& prompt, BoxStyle style,
                            const std::optional<std::string>& title) {
  const QString caption =
      title ? QString::fromStdString(*title) : QApplication::applicationDisplayName();
  QMessageBox box(style == BoxStyle::kCritical ? QMessageBox::Critical : QMessageBox::NoIcon,
                  caption, QString::fromStdString(prompt), QMessageBox::Ok,
                  QApplication::activeWindow());
  // File names are shown as they are, never read as markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace varnel
