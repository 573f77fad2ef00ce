#pragma once

#include <optional>
#include <string>

#include "platform/posix_platform.h"

namespace varnel {

// The platform operations of the window program: the POSIX ones, message
// boxes through QMessageBox, and a wait for the comparer that keeps the
// windows painted.
class QtPlatform : public PosixPlatform {
 public:
  // `comparerPath` as for PosixPlatform. Needs a QApplication to exist.
  explicit QtPlatform(std::string comparerPath);

  // Waits until the process has ended and reaps it, with a busy cursor. Meanwhile
  // windows repaint and timers run, but user input is held back and handled
  // after the wait, so nothing the user does acts during it. Never fails.
  void Wait(long pid) override;

  // A modal box with an OK button, the critical icon for BoxStyle::kCritical,
  // and the application's display name when no title is given. Never fails.
  void MessageBox(const std::string& prompt, BoxStyle style,
                  const std::optional<std::string>& title) override;
};

}  // namespace varnel
