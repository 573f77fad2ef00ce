#pragma once

#include <string>

#include "compare/platform.h"

namespace varnel {

// The platform operations on POSIX: report files in TMPDIR or /tmp, absolute
// shell-quoted paths as short forms, the comparer's command line run through
// /bin/sh -c, and the viewer xdg-open. Message boxes are left to a toolkit.
class PosixPlatform : public Platform {
 public:
  // `comparerPath` is the comparer's executable, best absolute (see FindComparer).
  explicit PosixPlatform(std::string comparerPath);

  // The absolute form of an existing `path`, without resolving links, holding
  // a second '/' and quoted for the shell; "" when nothing exists there.
  // Throws PlatformError when a relative path meets an unreadable current folder.
  std::string ShortForm(const std::string& path) const override;
  // TMPDIR when it names a folder, else "/tmp", ending in '/'.
  std::string TempFolder() override;
  // A new file `folder` + `prefix` + random characters + ".txt", mode 0600;
  // "" when none can be made.
  std::string UniqueTempFile(const std::string& folder, const std::string& prefix) override;
  // True once `path` is an empty private file; throws PlatformError with the
  // reason otherwise (see CreatePrivateFile).
  bool CreateFallbackFile(const std::string& path) override;
  // The quoted comparer path and a blank: /bin/sh -c is not written into the line.
  std::string CommandPrefix() const override;
  // "xdg-open ".
  std::string ViewerPrefix() const override;
  // Runs /bin/sh -c `commandLine`; returns its pid, 0 when no process started.
  // Throws PlatformError when the comparer is missing or not executable.
  long Start(const std::string& commandLine) override;
  // Blocks until the process has ended and reaps it.
  void Wait(long pid) override;
  // Runs `commandLine` in the background of a short-lived shell, which is reaped
  // at once. Throws PlatformError when xdg-open is not on PATH or no shell starts.
  void StartDetached(const std::string& commandLine) override;

 private:
  std::string comparerPath_;
};

}  // namespace varnel
