#include "app/count_field.h"

#include <QPainter>
#include <QStyle>

CountField::CountField(QWidget* parent) : QLineEdit(parent) {}

// The sign is a shape, not a colour, so it reads in any theme and to anyone;
// the text makes room for it rather than running under it.
void CountField::setWarning(const QString& why) {
  if (why == toolTip()) return;
  setToolTip(why);
  setTextMargins(0, 0, why.isEmpty() ? 0 : signSize() + 2, 0);
  update();
}

void CountField::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (!hasWarning()) return;
  const int size = signSize();
  const QRect sign(width() - size - 3, (height() - size) / 2, size, size);
  QPainter painter(this);
  style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).paint(&painter, sign);
}

// As tall as the text, so that it fits the field.
int CountField::signSize() const {
  return fontMetrics().height();
}
