// Renders the program icon's SVG into a square picture of one size. The build
// runs it for every size the window and the icon theme need, so the SVG stays
// the only drawing and the window program itself never needs the SVG plugin.
//   render_icon <icon.svg> <size> <out.png | out.rgba>
// A name ending in .rgba gets the bare pixels, premultiplied RGBA, 8 bits a
// channel, row after row: the window takes those at start without decoding.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: render_icon <icon.svg> <size> <out.png | out.rgba>\n");
    return 2;
  }
  const int size = std::atoi(argv[2]);
  if (size <= 0) {
    std::fprintf(stderr, "render_icon: bad size '%s'\n", argv[2]);
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  const QString out = QString::fromLocal8Bit(argv[3]);
  if (out.endsWith(QLatin1String(".rgba"))) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QFile file(out);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes()) !=
            pixels.sizeInBytes() ||
        !file.flush()) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", argv[3]);
      return 1;
    }
    return 0;
  }
  if (!image.save(out, "PNG")) {
    std::fprintf(stderr, "render_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
