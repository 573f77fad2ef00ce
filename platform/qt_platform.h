#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "platform/posix_platform.h"

namespace varnel {

// The platform operations of the window program: the POSIX ones, message
// boxes through QMessageBox, a wait for the comparer that keeps the windows
// painted, viewers watched from the event loop, and the program's own report
// window for where they fail.
class QtPlatform : public PosixPlatform {
 public:
  // `comparerPath` as for PosixPlatform. Needs a QApplication to exist.
  explicit QtPlatform(std::string comparerPath);
  ~QtPlatform() override;

  // Waits until the run has ended and collects it, with a busy cursor, and
  // from a second into the run shows in the task bar how much of `inputs` it
  // has read (see TaskBarProgress), hidden again when the wait ends.
  // Meanwhile windows repaint and timers run, but user input to any window
  // of the program is dropped, never delivered later. Should the application
  // quit meanwhile, the run is ended as by EndRun. Never fails.
  RunEnd Wait(long pid, const RunInputs& inputs) override;

  // During a Wait: sends SIGTERM to the run's processes, SIGKILL to what is
  // left of them after RunProcess::kStopGrace, and has the Wait return
  // RunEnd::Kind::kStopped once the interpreter has ended.
  bool EndRun() override;

  // Starts the viewer and watches its end from the event loop; a viewer that
  // fails is told through `onFailure` once no Wait is in progress.
  void StartViewer(const std::string& commandLine, ViewerFailed onFailure) override;

  // Opens a ReportWindow on the report, which lives on until the user closes
  // it, whatever becomes of the main window.
  void ShowReport(const std::string& reportFile, const RunInputs& inputs) override;

  // A modal box with an OK button, the critical icon for BoxStyle::kCritical,
  // and the application's display name when no title is given. Never fails.
  void MessageBox(const std::string& prompt, BoxStyle style,
                  const std::optional<std::string>& title) override;

  // `text` as the application's translators give it for `context`.
  std::string Translated(const char* context, const char* text) const override;

 private:
  struct ActiveWait;

  void ViewerEnded();

  ActiveWait* wait_ = nullptr;
  bool viewerEndedDuringWait_ = false;
  // The parent of the viewers' watchers, so none outlives the platform.
  std::unique_ptr<QObject> watchers_;
};

}  // namespace varnel
