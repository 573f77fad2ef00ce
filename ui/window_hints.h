// Requests to the window manager that Qt has no words for.
#pragma once

class QWidget;

namespace varnel {

// Asks the window manager not to list `window` in the task bar. Call after the
// native window exists (winId()) and before it is first shown.
// Does nothing where the platform is not X11.
void KeepOutOfTaskbar(QWidget* window);

// Asks for a fixed dialog frame: a title bar with a close box only, no window
// menu or icon, no resize handles, no minimise or maximise. Call after the
// native window exists and before it is first shown. Does nothing where the
// platform is not X11.
void UseFixedDialogFrame(QWidget* window);

}  // namespace varnel
