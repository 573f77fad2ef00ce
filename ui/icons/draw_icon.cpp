// Draws the program icon: two overlapping sheets, the front one with a
// changed line marked in red. Run by hand when the artwork changes:
//   draw_icon ui/icons/varnel.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

void DrawSheet(QPainter& painter, const QRectF& sheet) {
  const qreal fold = 6;
  QPainterPath outline;
  outline.moveTo(sheet.topLeft());
  outline.lineTo(sheet.right() - fold, sheet.top());
  outline.lineTo(sheet.right(), sheet.top() + fold);
  outline.lineTo(sheet.bottomRight());
  outline.lineTo(sheet.bottomLeft());
  outline.closeSubpath();
  painter.setPen(QPen(QColor(40, 40, 40), 1));
  painter.setBrush(Qt::white);
  painter.drawPath(outline);

  QPainterPath corner;
  corner.moveTo(sheet.right() - fold, sheet.top());
  corner.lineTo(sheet.right() - fold, sheet.top() + fold);
  corner.lineTo(sheet.right(), sheet.top() + fold);
  painter.setBrush(QColor(200, 200, 200));
  painter.drawPath(corner);
}

void DrawTextLines(QPainter& painter, const QRectF& sheet, int changedLine) {
  for (int i = 0; i < 5; ++i) {
    const qreal y = sheet.top() + 9.5 + i * 3;
    const QColor ink = i == changedLine ? QColor(200, 0, 0) : QColor(0, 0, 128);
    painter.setPen(QPen(ink, 1));
    painter.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3 - (i % 2) * 3, y));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) return 2;

  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  const QRectF back(1.5, 1.5, 19, 24);
  const QRectF front(11.5, 6.5, 19, 24);
  DrawSheet(painter, back);
  DrawTextLines(painter, back, -1);
  DrawSheet(painter, front);
  DrawTextLines(painter, front, 2);
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
