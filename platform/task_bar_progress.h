#pragma once

#include <QString>

namespace varnel {

// The progress of a long comparison in the task bar, as KDE Plasma's task
// manager and the GNOME docks read it: the signal
// com.canonical.Unity.LauncherEntry.Update on the session bus, addressed to
// the program's desktop entry. Without a session bus, or without the name of
// a desktop entry, nothing is sent and nothing fails.
class TaskBarProgress {
 public:
  // `desktopEntry` is the entry's name without ".desktop", as
  // QGuiApplication::desktopFileName gives it.
  explicit TaskBarProgress(const QString& desktopEntry);
  // Hides the progress again, if it was shown.
  ~TaskBarProgress();
  TaskBarProgress(const TaskBarProgress&) = delete;
  TaskBarProgress& operator=(const TaskBarProgress&) = delete;

  // Shows that `share` of the work, from 0 to 1, is done.
  void Show(double share);

 private:
  // False when there is no session bus to send on.
  bool Send(double share, bool visible);

  QString desktopEntry_;
  QString objectPath_;
  bool shown_ = false;
  bool noBus_ = false;
};

}  // namespace varnel
