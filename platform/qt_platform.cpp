#include "platform/qt_platform.h"

#include <unistd.h>

#include <cerrno>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <optional>
#include <utility>

#include "platform/child_process.h"
#include "platform/input_progress.h"
#include "platform/task_bar_progress.h"
#include "report/report_window.h"

namespace varnel {

namespace {

// How often the wait looks at the run, and the viewers' watch at a viewer,
// when the kernel offers no pidfd.
constexpr int kRunPollMilliseconds = 25;
constexpr int kViewerPollMilliseconds = 250;
// A run shows its progress from a second in, so a short one shows none, and
// then a few times a second.
constexpr int kProgressDelayMilliseconds = 1000;
constexpr int kProgressMilliseconds = 250;

// Shows the busy cursor for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

// Drops the user's input to every window of the program for as long as it
// lives. Qt's own way, excluding input from an event loop, only holds it back
// until the loop ends, and then every click and key acts after all.
class InputDropper : public QObject {
 public:
  InputDropper() { QCoreApplication::instance()->installEventFilter(this); }
  ~InputDropper() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return IsUserInput(event->type()); }
};

// A notifier that owns the pidfd it watches.
class EndNotifier : public QSocketNotifier {
 public:
  EndNotifier(int pidfd, QObject* parent) : QSocketNotifier(pidfd, QSocketNotifier::Read, parent) {}
  ~EndNotifier() override {
    setEnabled(false);
    close(static_cast<int>(socket()));
  }
};

// Tells the task bar how much of its inputs a run has read, from the timers
// of the wait's event loop, for as long as it lives; the progress is hidden
// again when it ends, however the run ended.
class ProgressTicks {
 public:
  ProgressTicks(const RunProcess& run, const RunInputs& inputs)
      : reading_(run.group(), {inputs.source, inputs.target}),
        taskBar_(QGuiApplication::desktopFileName()) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      timer_.setInterval(kProgressMilliseconds);
      if (const std::optional<double> share = reading_.Sample()) taskBar_.Show(*share);
    });
    timer_.start(kProgressDelayMilliseconds);
  }

 private:
  InputProgress reading_;
  TaskBarProgress taskBar_;
  QTimer timer_;  // stops before the task bar hears the end
};

// Runs an event loop until the interpreter of `run` has ended or the
// application quits, taking in its standard error as it comes: a full pipe
// would stall the run.
void RunUntilEnded(RunProcess& run) {
  QEventLoop loop;
  QSocketNotifier errors(run.errorDescriptor(), QSocketNotifier::Read);
  QObject::connect(&errors, &QSocketNotifier::activated, [&run, &errors] {
    run.ReadErrors();
    if (run.errorDescriptor() < 0) errors.setEnabled(false);
  });
  std::unique_ptr<QSocketNotifier> ended;
  QTimer poll;
  if (run.endDescriptor() >= 0) {
    ended = std::make_unique<QSocketNotifier>(run.endDescriptor(), QSocketNotifier::Read);
    QObject::connect(ended.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
  } else {
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &run] {
      if (run.HasEnded()) loop.quit();
    });
    poll.start(kRunPollMilliseconds);
  }
  if (!run.HasEnded()) loop.exec();
}

}  // namespace

// The run being waited for, and the timer that kills it once the grace
// after EndRun is over.
struct QtPlatform::ActiveWait {
  explicit ActiveWait(RunProcess* waitedFor) : run(waitedFor) {}
  RunProcess* run;
  QTimer grace;
};

QtPlatform::QtPlatform(std::string comparerPath)
    : PosixPlatform(std::move(comparerPath)), watchers_(std::make_unique<QObject>()) {}

QtPlatform::~QtPlatform() = default;

RunEnd QtPlatform::Wait(long pid, const RunInputs& inputs) {
  RunProcess* run = FindRun(pid);
  if (run == nullptr) return PosixPlatform::Wait(pid, inputs);
  {
    const BusyCursor busy;
    const InputDropper dropper;
    const ProgressTicks progress(*run, inputs);
    ActiveWait active(run);
    active.grace.setSingleShot(true);
    QObject::connect(&active.grace, &QTimer::timeout, [run] { run->Kill(); });
    wait_ = &active;
    RunUntilEnded(*run);
    // The loop also ends when the application quits: the run is ended then,
    // so that quitting never hangs on a comparer that hangs.
    if (!run->HasEnded()) run->Terminate();
    // Input that reached the program until now is dropped too.
    QCoreApplication::processEvents();
    wait_ = nullptr;
  }
  if (viewerEndedDuringWait_) {
    viewerEndedDuringWait_ = false;
    QTimer::singleShot(0, watchers_.get(), [this] { CollectViewers(); });
  }
  return PosixPlatform::Wait(pid, inputs);
}

bool QtPlatform::EndRun() {
  if (wait_ == nullptr) return false;
  wait_->run->Terminate();
  if (!wait_->grace.isActive()) wait_->grace.start(RunProcess::kStopGrace);
  return true;
}

void QtPlatform::StartViewer(const std::string& commandLine, ViewerFailed onFailure) {
  const pid_t pid = SpawnViewer(commandLine, std::move(onFailure));
  if (pid == 0) return;
  const int pidfd = OpenPidDescriptor(pid);
  if (pidfd >= 0) {
    auto* notifier = new EndNotifier(pidfd, watchers_.get());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this, notifier] {
      notifier->setEnabled(false);
      notifier->deleteLater();
      ViewerEnded();
    });
    return;
  }
  auto* poll = new QTimer(watchers_.get());
  QObject::connect(poll, &QTimer::timeout, poll, [this, poll, pid] {
    if (!HasEnded(pid)) return;
    poll->stop();
    poll->deleteLater();
    ViewerEnded();
  });
  poll->start(kViewerPollMilliseconds);
}

// A box about a viewer waits until the run in progress is over: while it
// lasts, nobody could close the box.
void QtPlatform::ViewerEnded() {
  if (wait_ != nullptr) {
    viewerEndedDuringWait_ = true;
    return;
  }
  CollectViewers();
}

void QtPlatform::ShowReport(const std::string& reportFile, const RunInputs& inputs) {
  std::string reason;
  ReportWindow* window = ReportWindow::Open(reportFile, inputs.source, inputs.target, &reason);
  if (window == nullptr) throw PlatformError(EIO, reason);
  window->show();
  window->raise();
  window->activateWindow();
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

std::string QtPlatform::Translated(const char* context, const char* text) const {
  return QCoreApplication::translate(context, text).toStdString();
}

}  // namespace varnel
