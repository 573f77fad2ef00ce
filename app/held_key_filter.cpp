#include "app/held_key_filter.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace {

// True for a key that presses a button where it goes: Enter anywhere (it
// presses Compare, the button that has the focus, or a box's OK), and Space
// on a button.
bool PressesAButton(const QKeyEvent& key, QObject* receiver) {
  if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) return true;
  return (key.key() == Qt::Key_Space || key.key() == Qt::Key_Select) &&
         qobject_cast<QAbstractButton*>(receiver) != nullptr;
}

}  // namespace

bool HeldKeyFilter::eventFilter(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (!PressesAButton(key, receiver)) return false;
  if (event->type() == QEvent::KeyRelease) {
    released_ = {key.key(), key.timestamp()};
    return false;
  }
  // Made-up events carry no time at all.
  return key.isAutoRepeat() ||
         (key.timestamp() != 0 && released_ == std::pair(key.key(), key.timestamp()));
}
