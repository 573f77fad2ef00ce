#include "ui/program_icon.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QResource>
#include <QString>
#include <algorithm>
#include <cmath>

namespace varnel {

namespace {

// The build renders the icon into these resource folders, each file named
// after its size in pixels: PNGs of every size, and the window's sizes as
// bare premultiplied RGBA pixels.
const char kPictureFolder[] = ":/varnel/icons";
const char kWindowIconFolder[] = ":/varnel/window-icons";

constexpr int kPictureSize = 32;

// The sizes in a folder of renderings, smallest first.
QList<int> SizesIn(const char* folder) {
  QList<int> sizes;
  for (const QString& name : QDir(QString::fromLatin1(folder)).entryList(QDir::Files)) {
    sizes.append(QStringView(name).left(name.indexOf(QLatin1Char('.'))).toInt());
  }
  std::sort(sizes.begin(), sizes.end());
  return sizes;
}

// Reads one PNG rendering. The format is given and guessing is off, or Qt
// would load every image plugin it has (SVG, JPEG, GIF, ICO) to ask it first.
QImage PictureRendering(int size) {
  QImageReader reader(
      QStringLiteral("%1/%2.png").arg(QString::fromLatin1(kPictureFolder)).arg(size), "png");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

// One window size, taken as it lies in the resource; null when it is not
// there whole.
QPixmap WindowRendering(int size) {
  const QResource resource(
      QStringLiteral("%1/%2.rgba").arg(QString::fromLatin1(kWindowIconFolder)).arg(size));
  const QByteArray pixels = resource.uncompressedData();
  if (pixels.size() != qsizetype{size} * size * 4) return QPixmap();
  return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(pixels.constData()), size, size,
                                   size * 4, QImage::Format_RGBA8888_Premultiplied));
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : SizesIn(kWindowIconFolder)) {
    const QPixmap pixmap = WindowRendering(size);
    if (!pixmap.isNull()) icon.addPixmap(pixmap);
  }
  return icon;
}

// The rendering of exactly the size needed where the build made one, else the
// next larger one scaled down; never a smaller one blown up.
QPixmap ProgramPixmap(qreal devicePixelRatio) {
  static const QList<int> sizes = SizesIn(kPictureFolder);
  const int wanted = static_cast<int>(std::lround(kPictureSize * devicePixelRatio));
  const auto larger = std::lower_bound(sizes.begin(), sizes.end(), wanted);
  QImage image = PictureRendering(larger != sizes.end() ? *larger : sizes.last());
  if (image.width() != wanted)
    image = image.scaled(wanted, wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

}  // namespace varnel
