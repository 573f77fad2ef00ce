// Holding a key that presses a button presses it once.
#pragma once

#include <QObject>
#include <utility>

// Drops the repeats of a held key that presses a button, so that holding it
// presses once: one comparison for each press. Install it on the whole
// application: the boxes and windows that a press opens would take the
// repeats too. Qt marks repeats, but on X11 it misses many; those still come
// as every repeat comes there, right after a release of the same key at the
// very same moment.
class HeldKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  // The key last let go, and when, in the window system's time.
  std::pair<int, quint64> released_{0, 0};
};
