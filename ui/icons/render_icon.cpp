// Renders the program icon's SVG into a square PNG of one size. The build runs
// it for every size the window and the icon theme need, so the SVG stays the
// only drawing and the window program itself never needs the SVG plugin.
//   render_icon <icon.svg> <size> <out.png>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: render_icon <icon.svg> <size> <out.png>\n");
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
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "render_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
