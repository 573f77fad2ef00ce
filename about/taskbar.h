// Keeping a top-level window out of the desktop's task bar.
#pragma once

class QWidget;

namespace varnel {

// Asks the window manager not to list `window` in the task bar. Call after the
// native window exists and before it is first mapped (from a show event, say).
// Does nothing where the platform has no such request or is not X11.
void KeepOutOfTaskbar(QWidget* window);

}  // namespace varnel
