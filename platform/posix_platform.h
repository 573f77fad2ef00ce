#pragma once

#include <sys/types.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "compare/platform.h"
#include "platform/run_process.h"

namespace varnel {

// The platform operations on POSIX: report files in TMPDIR or /tmp, absolute
// shell-quoted paths as short forms, the comparer's command line run through
// /bin/sh -c, and the viewer xdg-open. Message boxes and the report window
// are left to a toolkit.
class PosixPlatform : public Platform {
 public:
  // `comparerPath` is the comparer's executable, best absolute (see FindComparer).
  explicit PosixPlatform(std::string comparerPath);
  // Ends and collects every run that was started and never waited for.
  ~PosixPlatform() override;

  // The absolute form of an existing `path`, without resolving links, holding
  // a second '/' and quoted for the shell; "" when nothing exists there.
  // Throws PlatformError when a relative path meets an unreadable current
  // folder, and with ENAMETOOLONG when the path or its absolute form is
  // longer than the system takes.
  std::string ShortForm(const std::string& path) const override;
  // `word` quoted for the shell where it needs it (see ShellWord).
  std::string CommandWord(const std::string& word) const override;
  // TMPDIR when it names a folder, else "/tmp", absolute and ending in '/'.
  std::string TempFolder() override;
  // A new file `folder` + `prefix` + random characters + ".txt", mode 0600;
  // "" with the system's reason when none can be made.
  std::string UniqueTempFile(const std::string& folder, const std::string& prefix,
                             std::string* whyNot) override;
  // A new file as UniqueTempFile makes it, in `folder` made absolute; throws
  // PlatformError with that folder and the system's reason when none can be made.
  std::string CreateFallbackFile(const std::string& folder, const std::string& prefix) override;
  // The quoted comparer path and a blank: /bin/sh -c is not written into the line.
  std::string CommandPrefix() const override;
  // "xdg-open ".
  std::string ViewerPrefix() const override;
  // Runs /bin/sh -c `commandLine` as a RunProcess; returns its pid, or 0 with
  // errno telling why when no process started. Throws PlatformError when the
  // comparer is missing or not executable.
  long Start(const std::string& commandLine) override;
  // Blocks until the run has ended, taking in its standard error, and
  // collects it (see RunProcess::Finish). Shows no progress.
  RunEnd Wait(long pid, const RunInputs& inputs) override;
  // Sends SIGTERM to every run not yet waited for; their Wait then kills
  // what is left after the grace and tells that they were stopped.
  bool EndRun() override;
  // Starts the viewer in a session of its own, for CollectViewers to watch.
  void StartViewer(const std::string& commandLine, ViewerFailed onFailure) override;
  // The shell's PWD while that names this very folder without "." or ".."
  // in it, else the folder the system gives (with its links resolved).
  std::string WorkingFolder() const override;
  // Whether standard error is a terminal.
  bool StandardErrorIsTerminal() const override;
  // `text` as it is: the platform without a toolkit speaks English alone.
  std::string Translated(const char* context, const char* text) const override;

 protected:
  // The run that Start gave `pid` for; null when there is none.
  RunProcess* FindRun(long pid);
  // Starts the viewer as StartViewer does; returns its pid, or 0 when it was
  // not started (`onFailure` has then been called).
  pid_t SpawnViewer(const std::string& commandLine, ViewerFailed onFailure);
  // Collects, without waiting, every viewer that has ended, and calls the
  // `onFailure` of each one that failed.
  void CollectViewers();

 private:
  struct Viewer {
    pid_t pid;
    ViewerFailed onFailure;
  };

  std::string comparerPath_;
  std::map<long, std::unique_ptr<RunProcess>> runs_;
  std::vector<Viewer> viewers_;
};

}  // namespace varnel
