#include "ui/contrast.h"

#include <algorithm>
#include <cmath>

namespace varnel {

namespace {

double Channel(double value) {
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

// How bright a colour looks, from 0 for black to 1 for white.
double RelativeLuminance(const QColor& colour) {
  return 0.2126 * Channel(colour.redF()) + 0.7152 * Channel(colour.greenF()) +
         0.0722 * Channel(colour.blueF());
}

}  // namespace

double Contrast(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsLightFace(const QPalette& palette) {
  return Contrast(palette.color(QPalette::Window), Qt::black) >= kReadableContrast;
}

}  // namespace varnel
